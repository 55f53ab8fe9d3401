// A folder of its own for each test, removed afterwards; helpers for its files.
#pragma once

#include <string>
#include <vector>

std::string MakeTempDir();
void RemoveTree(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);

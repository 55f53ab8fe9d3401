// Paths and folders as the platform names them: UTF-16, with \ between the parts.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// The folder and the name joined with one \ between them.
WideString JoinPath(const WideString& folder, const WideString& name);
// Makes the folder and every missing folder above it; 0, or the error of the first that
// can't be made. A drive's root and a UNC path's \\server\share are taken as they are.
DWORD MakeFolders(const WideString& folder);
// The names of the folder's files whose names end in the extension (".xml"), letter case of
// ASCII letters ignored, hidden and system files included, in the order of the listing; 0,
// or the error that kept the folder from being listed. An empty folder is no error.
DWORD ListFilesEndingIn(const WideString& folder, const std::string& extension, std::vector<WideString>& names);

// What XP takes, said beside each refusal that has a reason code: the rule the profile broke,
// at the line of the element it is about.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/standin/profiles/profile_document.h"

// Empty for a reason code without a rule of its own (the schema's, whose message says more).
std::string WhatXpTakes(DWORD reason, const standin::ProfileElement& profile, UINT codePage);

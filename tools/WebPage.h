#pragma once
#include <string>

// web/index.html: the maker's page, opened when the player quits.
bool MakeWebPage(const std::string& resDir);

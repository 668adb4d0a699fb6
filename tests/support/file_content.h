// A whole file's bytes, for comparing what a step left on disk.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline std::string contentOf(const std::string &path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

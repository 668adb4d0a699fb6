// A private folder for a fuzz target's files, made on first use and removed with everything in
// it when the process ends normally. Nothing a target writes may land anywhere else.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class FuzzScratch {
  public:
    static const std::filesystem::path &path() {
        static const FuzzScratch folder;
        return folder.m_path;
    }
    static std::string file(const std::string &name) { return (path() / name).string(); }

  private:
    FuzzScratch() {
        const char *base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && base[0] == '/' ? base : "/tmp") + "/korvane-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~FuzzScratch() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }

    std::filesystem::path m_path;
};

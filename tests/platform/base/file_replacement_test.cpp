// Replacing a person's file: what the file is afterwards (through a link, of another user, new),
// what is refused and left alone (a FIFO, a folder, a file or folder its user may not write),
// and that a killed or fallen-back save leaves nothing beside the target.
#include "base/file_faults.h"
#include "base/file_replacement.h"
#include "file_content.h"
#include "temporary_folder.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <span>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::optional<ReplaceFailure> replaceWith(const std::string &path, const std::string &text) {
    FileReplacement file(path, ReplacePolicy::Durable);
    std::optional<ReplaceFailure> failure = file.create();
    if (!failure)
        failure = file.write(std::as_bytes(std::span(text.data(), text.size())));
    return failure ? failure : file.commit();
}

struct stat statusOf(const std::string &path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

const passwd &nobody() {
    static const passwd entry = *::getpwnam("nobody");
    return entry;
}

// The replacement run in a child process as the user nobody, a member of groups besides its
// own: nullopt when it replaced the file, else its failure's kind and reason.
std::optional<std::pair<ReplaceFailure::Kind, std::string>>
replaceAsNobody(const std::string &path, const std::vector<gid_t> &groups = {}) {
    int pipeEnds[2];
    EXPECT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(nobody().pw_gid) != 0 ||
            ::setuid(nobody().pw_uid) != 0)
            ::_exit(1);
        if (const auto failure = replaceWith(path, "new")) {
            const std::string report =
                char('0' + static_cast<int>(failure->kind)) + failure->reason;
            static_cast<void>(::write(pipeEnds[1], report.data(), report.size()));
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child became nobody";
    if (report.empty())
        return std::nullopt;
    return std::make_pair(static_cast<ReplaceFailure::Kind>(report[0] - '0'), report.substr(1));
}

std::vector<std::string> namesIn(const fs::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeText(const std::string &path, const std::string &text, mode_t mode) {
    std::ofstream(path) << text;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// Sets the umask for a scope and gives the previous one back however the scope ends, a failed
// ASSERT included, so that the next case starts from the umask it expects.
class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask)
        : m_previous(::umask(mask)) {}
    ~UmaskGuard() { ::umask(m_previous); }
    UmaskGuard(const UmaskGuard &) = delete;
    UmaskGuard &operator=(const UmaskGuard &) = delete;

  private:
    mode_t m_previous;
};

struct ReplacedCase {
    const char *what;
    // Makes the target in folder; gives the path to save to.
    std::function<std::string(const TemporaryFolder &)> prepare;
    mode_t mode;
    uid_t owner;
    gid_t group;
};

// Each case saved under the umask 027: the target holds the new text with the case's mode,
// owner and group, and a link saved through stays a link.
void expectReplaced(std::span<const ReplacedCase> cases) {
    const UmaskGuard umask(027);
    for (const ReplacedCase &c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder folder;
        const std::string path = c.prepare(folder);
        const auto failure = replaceWith(path, "new");
        ASSERT_FALSE(failure.has_value()) << failure->reason;
        const struct stat target = statusOf(folder.file("target"));
        EXPECT_EQ(contentOf(folder.file("target")), "new");
        EXPECT_EQ(target.st_mode & 07777, c.mode);
        EXPECT_EQ(target.st_uid, c.owner);
        EXPECT_EQ(target.st_gid, c.group);
        EXPECT_EQ(fs::is_symlink(path), path != folder.file("target")) << "a link stays a link";
    }
}

TEST(FileReplacementTest, ALinkIsFollowedAndANewFileGetsTheUmask) {
    const uid_t saver = ::geteuid();
    const gid_t saverGroup = ::getegid();
    const ReplacedCase cases[] = {
        {"a link is followed to the file it points to",
         [](const TemporaryFolder &folder) {
             writeText(folder.file("target"), "old", 0644);
             fs::create_symlink("target", folder.file("link"));
             return folder.file("link");
         },
         0644, saver, saverGroup},
        {"a new file gets 0666 less the umask 027",
         [](const TemporaryFolder &folder) { return folder.file("target"); }, 0640, saver,
         saverGroup},
    };
    expectReplaced(cases);
}

TEST(FileReplacementTest, TheReplacedFileKeepsWhatMakesItThePersonsFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files to another user";
    const uid_t other = nobody().pw_uid;
    const gid_t otherGroup = nobody().pw_gid;
    const ReplacedCase cases[] = {
        {"a 0640 file of another user stays theirs",
         [&](const TemporaryFolder &folder) {
             writeText(folder.file("target"), "old", 0640);
             EXPECT_EQ(::chown(folder.file("target").c_str(), other, otherGroup), 0);
             return folder.file("target");
         },
         0640, other, otherGroup},
        {"root replaces a file nobody may write, as it could write it anyway",
         [](const TemporaryFolder &folder) {
             writeText(folder.file("target"), "old", 0444);
             return folder.file("target");
         },
         0444, 0, 0},
    };
    expectReplaced(cases);
}

// A file of a shared group, saved by another member: the saver may not give it away, but may
// keep its group, so that the other members keep their access.
TEST(FileReplacementTest, AMemberOfTheFilesGroupKeepsTheGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as nobody in a group";
    constexpr gid_t kShared = 4242;
    const struct {
        const char *what;
        std::vector<gid_t> groups;
        gid_t group;
    } cases[] = {
        {"a member", {kShared}, kShared},
        {"not a member", {}, nobody().pw_gid},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder folder;
        ::chmod(folder.path().c_str(), 0777);
        const std::string target = folder.file("shared.wav");
        writeText(target, "old", 0666);
        ASSERT_EQ(::chown(target.c_str(), 0, kShared), 0);
        const auto failure = replaceAsNobody(target, c.groups);
        ASSERT_FALSE(failure.has_value()) << failure->second;
        const struct stat saved = statusOf(target);
        EXPECT_EQ(contentOf(target), "new");
        EXPECT_EQ(saved.st_uid, nobody().pw_uid);
        EXPECT_EQ(saved.st_gid, c.group);
        EXPECT_EQ(saved.st_mode & 07777, 0666u);
    }
}

TEST(FileReplacementTest, WhatMayNotBeReplacedIsRefusedAndLeftAlone) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as nobody and to plant another user's link";
    using Kind = ReplaceFailure::Kind;
    const struct Case {
        const char *what;
        std::function<void(const std::string &target)> prepare;
        bool asNobody;
        Kind kind;
        const char *reasonEnd; // the system's own words end the reason
    } cases[] = {
        {"a FIFO", [](const std::string &target) { ASSERT_EQ(::mkfifo(target.c_str(), 0666), 0); },
         false, Kind::NotRegular, " is not a regular file"},
        {"a folder", [](const std::string &target) { fs::create_directory(target); }, false,
         Kind::NotRegular, " is not a regular file"},
        {"a 0444 file of nobody's own, for nobody",
         [](const std::string &target) {
             writeText(target, "old", 0444);
             ASSERT_EQ(::chown(target.c_str(), nobody().pw_uid, nobody().pw_gid), 0);
         },
         true, Kind::NotPermitted, ": Permission denied"},
        {"a new file in a folder nobody may not write",
         [](const std::string &target) { ::chmod(fs::path(target).parent_path().c_str(), 0555); },
         true, Kind::NotPermitted, ": Permission denied"},
        {"another user's link in a shared folder like /tmp",
         [](const std::string &target) {
             const std::string folder = fs::path(target).parent_path();
             writeText(folder + "/victim", "old", 0644);
             ::chmod(folder.c_str(), 01777);
             fs::create_symlink(folder + "/victim", target);
             ASSERT_EQ(::lchown(target.c_str(), nobody().pw_uid, nobody().pw_gid), 0);
         },
         false, Kind::NotPermitted, ": a link of another user in a shared folder"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder folder;
        ::chmod(folder.path().c_str(), 0777);
        const std::string target = folder.file("target");
        c.prepare(target);
        const std::vector<std::string> before = namesIn(folder.path());
        const mode_t kindBefore = before.empty() ? 0 : statusOf(target).st_mode & S_IFMT;
        std::optional<std::pair<Kind, std::string>> failure;
        if (c.asNobody) {
            failure = replaceAsNobody(target);
        } else if (const auto failed = replaceWith(target, "new")) {
            failure.emplace(failed->kind, failed->reason);
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->first, c.kind) << failure->second;
        EXPECT_TRUE(failure->second.ends_with(c.reasonEnd)) << failure->second;
        EXPECT_EQ(namesIn(folder.path()), before);
        if (kindBefore != 0) {
            EXPECT_EQ(statusOf(target).st_mode & S_IFMT, kindBefore);
        }
        if (fs::is_regular_file(folder.file("victim"))) {
            EXPECT_EQ(contentOf(folder.file("victim")), "old");
        }
        if (fs::is_regular_file(target) && !fs::is_symlink(target)) {
            EXPECT_EQ(contentOf(target), "old");
        }
        ::chmod(folder.path().c_str(), 0700);
    }
}

TEST(FileReplacementTest, AKilledSaveLeavesNothingBesideTheTarget) {
    TemporaryFolder folder;
    const std::string target = folder.file("sound.wav");
    writeText(target, "old", 0644);
    const pid_t child = ::fork();
    if (child == 0) {
        FileReplacement file(target, ReplacePolicy::Durable);
        const std::string half(1 << 20, 'n');
        if (!file.create() && !file.write(std::as_bytes(std::span(half.data(), half.size()))))
            ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "killed in the middle of the save";
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"sound.wav"});
    EXPECT_EQ(contentOf(target), "old");
}

TEST(FileReplacementTest, WithoutUnnamedFilesAHiddenNamedOneStandsIn) {
    TemporaryFolder folder;
    const std::string target = folder.file("sound.wav");
    writeText(target, "old", 0640);
    armFileFault({FileCall::Open, folder.file(".sound.wav."), EOPNOTSUPP});
    const auto failure = replaceWith(target, "new");
    disarmFileFaults();
    ASSERT_FALSE(failure.has_value()) << failure->reason;
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_EQ(statusOf(target).st_mode & 07777, 0640u);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"sound.wav"});
}

} // namespace

// A path of length bytes in folder, its folders made: the hidden name beside it is longer.
std::string pathOfLength(const TemporaryFolder &folder, std::size_t length) {
    std::string path = folder.path().string();
    while (length - path.size() > NAME_MAX + 1)
        path += "/" + std::string(200, 'd');
    fs::create_directories(path);
    return path + "/" + std::string(length - path.size() - 1, 'n');
}

TEST(FileReplacementTest, AnExistingTargetNamedNearTheSystemsLimitsIsReplaced) {
    const struct {
        const char *what;
        std::function<std::string(const TemporaryFolder &)> name;
    } cases[] = {
        {"a name near the longest",
         [](const TemporaryFolder &folder) { return folder.file(std::string(250, 'n') + ".wav"); }},
        {"a path of the longest", [](const TemporaryFolder &f) { return pathOfLength(f, 4095); }},
        {"a path 8 bytes shorter", [](const TemporaryFolder &f) { return pathOfLength(f, 4087); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder folder;
        const std::string target = c.name(folder);
        writeText(target, "old", 0644);
        const auto failure = replaceWith(target, "new");
        ASSERT_FALSE(failure.has_value()) << failure->reason;
        EXPECT_EQ(contentOf(target), "new");
        EXPECT_EQ(namesIn(fs::path(target).parent_path()),
                  std::vector<std::string>{fs::path(target).filename()});
    }
}

// Where settings live, and how the store writes them: the user's own file created from
// the one beside the program, .bak, atomic replacement under injected failures.
#include "core/files/atomic_file.h"
#include "core/settings_file/configuration_path.h"
#include "core/settings_file/settings_store.h"

#include "support/fault_seams.h"
#include "support/setting_lines.h"
#include "support/store_file.h"
#include "support/temp_folder.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>

namespace gradation {
namespace {

using test::u16;

const std::string kA = std::string("a") + test::lines::kStandardTail;
const std::string kB = std::string("b") + test::lines::kStandardTail;
const std::string kOld = "[UserSetting]\r\n00=" + kA + "\r\n";
const std::string kNew = "[UserSetting]\r\n00=" + kA + "\r\n01=" + kB + "\r\n";

// Sets an environment variable for one scope (unset when `value` is null).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ConfigurationPath, UserFileFollowsTheEnvironment) {
    const struct {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf/gradation/QX.ini"},
        {"", "/home/u", "/home/u/.config/gradation/QX.ini"},
        {nullptr, "/home/u", "/home/u/.config/gradation/QX.ini"},
        {"relative", "/home/u", "/home/u/.config/gradation/QX.ini"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        const ScopedEnv home("HOME", c.home);
        EXPECT_EQ(user_configuration_file(), std::filesystem::path(c.expected)) << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST(ConfigurationPath, AFolderIsNoConfigurationFile) {
    const test::TempFolder folder;
    const ScopedEnv xdg("XDG_CONFIG_HOME", folder.path().c_str());
    std::filesystem::create_directories(folder / "gradation" / "QX.ini");
    test::write_bytes(folder / "QX.ini", kOld);
    EXPECT_EQ(find_configuration_file(folder.path()), folder / "QX.ini");
}

TEST(ConfigurationPath, EditTargetIsTheNamedFileOrTheUsersOwnSeededFromTheReadOne) {
    const test::TempFolder folder;
    const ScopedEnv xdg("XDG_CONFIG_HOME", folder.path().c_str());
    test::write_bytes(folder / "named.ini", kOld);
    const std::optional<EditTarget> named = edit_target(folder / "named.ini");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->file, folder / "named.ini");
    EXPECT_TRUE(named->seed.empty());
    EXPECT_FALSE(edit_target(folder / "missing.ini"));
    const std::optional<EditTarget> own = edit_target(std::nullopt);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->file, user_configuration_file());
    EXPECT_EQ(own->seed, configuration_file_to_read());
}

TEST(SettingsStore, FirstWriteCopiesTheFileBesideTheProgram) {
    const test::TempFolder folder;
    const auto beside = folder / "QX.ini";
    const std::string seed = "; shipped\r\n" + kOld;
    test::write_bytes(beside, seed);
    const auto own = folder / "config" / "gradation" / "QX.ini";
    Result<SettingsStore> store = SettingsStore::open(own, beside);
    ASSERT_TRUE(store) << test::why(store);
    EXPECT_EQ(test::why(store->save()), "");  // no edit: nothing created
    EXPECT_FALSE(std::filesystem::exists(own));
    ASSERT_EQ(test::why(store->add(u16(kB))), "");
    ASSERT_EQ(test::why(store->save()), "");
    EXPECT_EQ(test::read_bytes(own), "; shipped\r\n" + kNew);
    EXPECT_EQ(test::read_bytes(beside), seed);
    EXPECT_FALSE(std::filesystem::exists(own.string() + ".bak"));  // there was no previous content
}

// Each shape a configuration file can have, and what a write keeps of it or why it is refused.
TEST(SettingsStore, WritesKeepTheFileItsLinksAndItsOwner) {
    using Make = std::function<void(const test::TempFolder&)>;
    const uid_t me = ::geteuid();
    const auto link = [](const char* to) -> Make {
        return [to](const auto& f) { std::filesystem::create_symlink(to, f / "QX.ini"); };
    };
    const auto group = [me](uid_t owner) { return owner == me ? ::getegid() : owner; };
    const auto file = [&](mode_t mode, uid_t owner) -> Make {
        return [=](const auto& f) {
            test::write_bytes(f / "QX.ini", kOld);
            EXPECT_EQ(::chown((f / "QX.ini").c_str(), owner, group(owner)) | ::chmod((f / "QX.ini").c_str(), mode), 0);
        };
    };
    const struct {
        const char* what;
        Make make;            // makes folder/QX.ini
        const char* written;  // the file that gets the new content, or a part of the refusal
        mode_t mode;          // of the written file and its .bak
        uid_t owner;
    } cases[] = {
        {"regular file", file(0640, me), "QX.ini", 0640, me},
        {"another user's file, written by root", file(0600, 65534), "QX.ini", 0600, 65534},
        {"symlink", [&](const auto& f) { test::write_bytes(f / "real.ini", kOld), link("real.ini")(f); }, "real.ini", 0644, me},
        {"dangling symlink", [&](const auto& f) { std::filesystem::create_directory(f / "dot"), link("dot/QX.ini")(f); },
         "dot/QX.ini", 0644, me},
        {"dangling symlink, folder missing", link("dot/QX.ini"), "whose folder does not exist", 0, me},
        {"hard link", [&](const auto& f) { file(0644, me)(f), std::filesystem::create_hard_link(f / "QX.ini", f / "b"); },
         "has 2 hard links", 0, me},
        {"read-only file", file(0444, me), "cannot write", 0, me},
        {"lock file a symlink", [&](const auto& f) { file(0644, me)(f), std::filesystem::create_symlink("x", f / ".QX.ini.lock"); },
         ".QX.ini.lock is a symbolic link, which edits do not follow; remove it", 0, me},
    };
    for (const auto& c : cases) {
        if (c.owner != me && me != 0) continue;  // only root can give a file away
        const test::TempFolder folder;
        test::write_bytes(folder / "seed.ini", kOld);
        c.make(folder);
        const mode_t mask = ::umask(022);
        const std::string why = test::why(SettingsStore::edit_locked(folder / "QX.ini", folder / "seed.ini",
                                                                     [](SettingsStore& s) { return s.add(u16(kB)); }));
        ::umask(mask);
        const auto written = folder / c.written, bak = folder / (c.written + std::string(".bak"));
        if (!why.empty()) {  // refused: nothing written
            EXPECT_NE(why.find(c.written), std::string::npos) << c.what << ": " << why;
            if (std::filesystem::exists(folder / "QX.ini")) {
                EXPECT_EQ(test::read_bytes(folder / "QX.ini"), kOld);
            }
            EXPECT_FALSE(std::filesystem::exists(folder / "QX.ini.bak")) << c.what;
            continue;
        }
        EXPECT_EQ(test::read_bytes(written), kNew) << c.what;
        EXPECT_EQ(std::filesystem::is_symlink(folder / "QX.ini"), c.written != std::string("QX.ini")) << c.what;
        // A file made by this write had no previous content to keep.
        EXPECT_EQ(test::read_bytes(bak), std::string(c.what).starts_with("dangling") ? std::nullopt : std::optional(kOld));
        for (const auto& path : {written, bak}) {
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0) {
                EXPECT_EQ(std::tuple(st.st_mode & 07777, st.st_uid, st.st_gid), std::tuple(c.mode, c.owner, group(c.owner)));
            }
        }
    }
}

TEST(SettingsStore, InjectedFailureLeavesTheOldFileWhole) {
    using test::SystemCall;
    const struct {
        SystemCall call;
        int nth;             // which of its kind: the new file's, then the .bak's (renamed first)
        const char* backup;  // what .bak holds afterwards
    } cases[] = {
        {SystemCall::MakeTemporary, 0, "older"}, {SystemCall::Write, 0, "older"}, {SystemCall::ChangeMode, 0, "older"},
        {SystemCall::Sync, 0, "older"},          {SystemCall::Write, 1, "older"}, {SystemCall::Rename, 0, "older"},
        {SystemCall::Rename, 1, nullptr},  // .bak already holds the old file
    };
    for (const auto& c : cases) {
        const std::string step = std::to_string(static_cast<int>(c.call)) + "#" + std::to_string(c.nth);
        test::StoreFile at(kOld, "older");
        const auto& folder = at.folder;
        const auto& file = at.file;
        Result<SettingsStore> store = at.open();
        ASSERT_TRUE(store) << test::why(store);
        ASSERT_EQ(test::why(store->add(u16(kB))), "");
        bool temporary_seen = false;
        test::set_system_call_fault([&](SystemCall call, int nth) {
            if (call == SystemCall::Write && nth == 0) {
                // The new content goes into a temporary file, never into the file itself.
                for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
                    temporary_seen = temporary_seen || entry.path().filename().string().starts_with(".QX.ini.tmp-");
                EXPECT_EQ(test::read_bytes(file), kOld);
            }
            return call == c.call && nth == c.nth;
        });
        // What killed writes left (of the file, of its .bak) goes; names of another shape stay.
        for (const char* left : {".QX.ini.tmp-a1B2c3", ".QX.ini.bak.tmp-Zz9Yy8", ".QX.ini.tmp-a1B2c", ".QX.ini.backup"})
            test::write_bytes(folder / left, "x");
        const std::string why = test::why(store->save());
        test::set_system_call_fault({});
        EXPECT_NE(why.find("Input/output error"), std::string::npos) << step << ": " << why;
        EXPECT_EQ(test::read_bytes(file), kOld) << step;
        EXPECT_EQ(test::read_bytes(folder / "QX.ini.bak"), c.backup ? c.backup : kOld) << step;
        // QX.ini, its .bak and lock and the two other names: no temporary of this write or an earlier one.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 5) << step;
        EXPECT_EQ(temporary_seen, c.call != SystemCall::MakeTemporary) << step;
        // The edit is still in memory: a later save succeeds.
        EXPECT_EQ(test::why(store->save()), "");
        EXPECT_EQ(test::read_bytes(file), kNew);
    }
}

TEST(SettingsStore, RefusesToWriteWhatItCannotOrShouldNot) {
    const test::TempFolder folder;
    const auto file = folder / "QX.ini";
    test::write_bytes(file, kOld);
    Result<SettingsStore> store = SettingsStore::open(file, {});
    ASSERT_TRUE(store) << test::why(store);
    ASSERT_EQ(test::why(store->add(u16(kB))), "");
    EXPECT_FALSE(store->changed_on_disk());
    test::write_bytes(file, kOld + "; edited elsewhere\r\n");
    EXPECT_TRUE(store->changed_on_disk());
    EXPECT_NE(test::why(store->save()).find("changed on disk since it was read"), std::string::npos);
    EXPECT_EQ(test::read_bytes(file), kOld + "; edited elsewhere\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "QX.ini.bak"));

    // A folder that cannot be made: its parent is a file.
    Result<SettingsStore> blocked = SettingsStore::open(file / "gradation" / "QX.ini", file);
    ASSERT_TRUE(blocked) << test::why(blocked);
    ASSERT_EQ(test::why(blocked->add(u16(kB))), "");
    EXPECT_NE(test::why(blocked->save()).find("cannot create the folder"), std::string::npos);
}

}  // namespace
}  // namespace gradation

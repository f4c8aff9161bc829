#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "util/Shell.h"
#include "util/Sound.h"

using namespace TarnUtility;

namespace {

// Whether COM is initialised on this thread, apartment-threaded: asking
// again answers S_FALSE then.
bool ComReady() {
    const HRESULT asked = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(asked))
        CoUninitialize();
    return asked == S_FALSE;
}

struct ShellCall {
    HWND owner;
    std::wstring verb, file;
    bool hasParameters, hasDirectory;
    INT show;
    bool comReady;
};
std::vector<ShellCall> shellCalls;
INT_PTR shellAnswer = 42;

HINSTANCE WINAPI RecordShell(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                             LPCWSTR directory, INT show) {
    shellCalls.push_back(
        {owner, verb, file, parameters != nullptr, directory != nullptr, show, ComReady()});
    return reinterpret_cast<HINSTANCE>(shellAnswer);
}

struct SoundCall {
    LPCWSTR sound;
    HMODULE module;
    DWORD flags;
};
std::vector<SoundCall> soundCalls;

BOOL WINAPI RecordSound(LPCWSTR sound, HMODULE module, DWORD flags) {
    soundCalls.push_back({sound, module, flags});
    return TRUE;
}

class Seams : public ::testing::Test {
protected:
    void SetUp() override {
        shellCalls.clear();
        soundCalls.clear();
        savedShell = shellExecuteFunction;
        savedSound = playSoundFunction;
        shellExecuteFunction = RecordShell;
        playSoundFunction = RecordSound;
    }
    void TearDown() override {
        ReleaseShell(); // as the program does at exit
        shellExecuteFunction = savedShell;
        playSoundFunction = savedSound;
    }
    ShellExecuteFunction savedShell = nullptr;
    PlaySoundFunction savedSound = nullptr;
};

} // namespace

TEST_F(Seams, ShellOpenUsesTheOpenVerbWithoutOwnerOrParameters) {
    shellAnswer = 42;
    EXPECT_TRUE(ShellOpen("mailto:info@example.com"));
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].owner, nullptr);
    EXPECT_EQ(shellCalls[0].verb, L"open");
    EXPECT_EQ(shellCalls[0].file, L"mailto:info@example.com");
    EXPECT_FALSE(shellCalls[0].hasParameters);
    EXPECT_FALSE(shellCalls[0].hasDirectory);
    EXPECT_EQ(shellCalls[0].show, SW_SHOW);
}

// Some handlers are started through COM: it is ready on the thread when an
// address is opened, and gone once the shell is released at exit.
TEST_F(Seams, COMIsInitialisedWhenAnAddressIsOpenedAndReleasedAtExit) {
    ASSERT_FALSE(ComReady());
    ShellOpen("mailto:info@example.com");
    ShellOpen("http://www.example.com");
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_TRUE(shellCalls[0].comReady);
    EXPECT_TRUE(shellCalls[1].comReady);
    ReleaseShell();
    EXPECT_FALSE(ComReady());
}

TEST_F(Seams, ShellOpenSucceedsOnlyAboveThirtyTwo) {
    shellAnswer = 33;
    EXPECT_TRUE(ShellOpen("http://www.example.com"));
    shellAnswer = 32;
    EXPECT_FALSE(ShellOpen("http://www.example.com"));
    shellAnswer = 2; // ERROR_FILE_NOT_FOUND
    EXPECT_FALSE(ShellOpen("C:\\missing.txt"));
}

TEST_F(Seams, ShellOpenWidensWindows1252Text) {
    ShellOpen("C:\\perch\xE9.txt");
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].file, L"C:\\perch\u00E9.txt");
}

TEST_F(Seams, PlayResourceSoundPlaysTheModulesResourceAsynchronously) {
    PlayResourceSound(1009);
    ASSERT_EQ(soundCalls.size(), 1u);
    EXPECT_TRUE(IS_INTRESOURCE(soundCalls[0].sound));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(soundCalls[0].sound), 1009u);
    EXPECT_EQ(soundCalls[0].module, GetModuleHandleW(nullptr));
    EXPECT_EQ(soundCalls[0].flags, 0x40007u); // SND_RESOURCE | SND_NODEFAULT | SND_ASYNC
}

TEST_F(Seams, PlayResourceSoundUsesTheLow16BitsOfTheId) {
    PlayResourceSound(0x10000 + 1008);
    ASSERT_EQ(soundCalls.size(), 1u);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(soundCalls[0].sound), 1008u);
}

// The program loads winmm and shell32 only when it first needs them, by
// name: a misspelt name would silence every sound and kill every link,
// while every test that goes through the seams stays green.
TEST(SystemFunctions, TheSoundAndShellCallsResolveInTheSystemLibraries) {
    EXPECT_TRUE(playSoundFunction(nullptr, nullptr, 0)); // stops all sound: fails if not found
    const auto opened = reinterpret_cast<INT_PTR>(shellExecuteFunction(
        nullptr, L"open", L"Z:\\no\\such\\trevalo-file", nullptr, nullptr, SW_SHOW));
    EXPECT_NE(opened, SE_ERR_DLLNOTFOUND); // what the program answers without ShellExecuteW
    EXPECT_LE(opened, 32);                 // the shell's own "not found"
}

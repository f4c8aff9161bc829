// Opens and closes the About window 200 times and plays 200 rounds through
// real messages on a fake clock, then checks that nothing grew: GDI
// objects, windows, elements, heap memory. A leak of one object a cycle fails.
#include "game/GameTest.h"

#include "about/FormAbout.h"
#include "gui/GdiCount.h"
#include "gui/controls/Button.h"

namespace MyGame {
namespace {

struct Usage {
    int gdiObjects = 0;
    int windows = 0;
    size_t elements = 0;
    size_t heapBytes = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// The bytes in use in every heap of the process.
size_t HeapBytes() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t used = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                used += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return used;
}

Usage Measure() {
    TarnUtility::PumpMessages();
    Usage usage;
    usage.gdiObjects = TarnUtility::CountGdiObjects();
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&usage.windows));
    usage.elements = TarnUtility::ElementRegistry().size();
    usage.heapBytes = HeapBytes();
    return usage;
}

class Soak : public GameTest {
protected:
    void AboutCycle() {
        SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
        TarnUtility::PumpMessages();
        ASSERT_NE(form->aboutForm, nullptr);
        SendMessageW(form->aboutForm->okButton->hwnd, BM_CLICK, 0, 0);
        TarnUtility::PumpMessages();
    }

    // One round on the fake clock: each tick comes a second after the last.
    void Round() {
        random.script = {rounds % 3};
        random.next = 0;
        for (int i = 0; i < 20 && !Choosing(); ++i) {
            if (!form->engine.playing) // a match ended: start the next
                SendMessageW(form->playButton->hwnd, BM_CLICK, 0, 0);
            TickAt(clock.Millis() + 1001);
        }
        ASSERT_TRUE(Choosing());
        Click(rounds % 2 ? form->rockChoice : form->paperChoice);
        TarnUtility::PumpMessages();
        ++rounds;
    }

    int rounds = 0;
};

TEST_F(Soak, TwoHundredAboutWindowsAndRoundsLeaveNothingBehind) {
    Open();
    TickAt(0);
    // Whatever is made once per process (fonts, cursors, caches) is made now.
    AboutCycle();
    Round();
    Round();
    const Usage before = Measure();
    ASSERT_GT(before.gdiObjects, 0);

    for (int cycle = 0; cycle < 200; ++cycle) {
        AboutCycle();
        Round();
        if (HasFatalFailure())
            return;
    }
    TickAt(clock.Millis() + 3001); // the last result pause ends
    const Usage after = Measure();

    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.elements, before.elements);
    // One lost About window a cycle would be far more than this.
    EXPECT_LT(static_cast<long long>(after.heapBytes) - static_cast<long long>(before.heapBytes),
              64 * 1024);
    EXPECT_GE(rounds, 200);
    EXPECT_GT(Recorder::sounds.size(), 600u);
}

} // namespace
} // namespace MyGame

// The program's own controls as a screen reader finds them, asked inside the process that
// owns them (WM_GETOBJECT, ObjectFromLresult): the events that tell a reader of changes, an
// exchange and the reader's default actions. (tests/win/e2e/accessibility_test.cpp reads the
// whole program from outside.) The windows stay hidden: other tests may be using the display.
#include "controls/check_list_messages.h"
#include "controls/win32/check_list.h"
#include "controls/win32/label.h"
#include "controls/win32/reflection.h"
#include "driver/accessible.h"
#include "driver/error.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/win32/message_pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <utility>
#include <vector>

namespace qrv {
namespace {

using drive::Accessible;

struct Heard {
    DWORD event;
    HWND window;
    long child;
    bool operator==(const Heard&) const = default;
};

void PrintTo(const Heard& heard, std::ostream* out) {
    *out << (heard.event == EVENT_OBJECT_STATECHANGE  ? "state change"
             : heard.event == EVENT_OBJECT_NAMECHANGE ? "name change"
                                                      : "event")
         << " of " << heard.window << " child " << heard.child;
}

std::vector<Heard>& Events() {
    static std::vector<Heard> events;
    return events;
}

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) {
        Events().push_back({event, window, child});
    }
}

std::vector<std::pair<int, unsigned>>& Commands() {
    static std::vector<std::pair<int, unsigned>> commands;
    return commands;
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        return ReflectDrawItem(lParam);
    }
    if (message == WM_COMMAND) {
        Commands().emplace_back(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr DWORD kStateChange = EVENT_OBJECT_STATECHANGE;
constexpr DWORD kNameChange = EVENT_OBJECT_NAMECHANGE;

bool Has(unsigned long states, unsigned long state) {
    return (states & state) == state;
}

class AccessibleControlsTest : public ::testing::Test {
protected:
    AccessibleControlsTest() : instance_(GetModuleHandleW(nullptr)) {
        RegisterLabelClass(instance_);
        RegisterMouseStateButtonClass(instance_);
        WNDCLASSW host{};
        host.lpfnWndProc = &HostProcedure;
        host.hInstance = instance_;
        host.lpszClassName = L"QrvAccessibleControlsHost";
        RegisterClassW(&host);
        host_ = CreateWindowExW(0, host.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                                nullptr, nullptr, instance_, nullptr);
        hook_ = SetWinEventHook(kStateChange, kNameChange, nullptr, &Hear, GetCurrentProcessId(),
                                GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
        Events().clear();
        Commands().clear();
    }
    ~AccessibleControlsTest() override {
        UnhookWinEvent(hook_);
        DestroyWindow(host_);
    }

    HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, int id) {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10 + id * 30,
                               200, 28, host_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance_, nullptr);
    }

    // The events heard since the last call: they arrive while the thread handles its messages.
    static std::vector<Heard> HeardSinceLastTime() {
        PumpMessages();
        return std::exchange(Events(), {});
    }

    drive::ComApartment com_;
    HINSTANCE instance_;
    HWND host_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(AccessibleControlsTest, ACheckListIsAListOfCheckButtonsNamedByItsLabel) {
    Add(kLabelClass, L"&Available CAD formats", 0, 1);
    TCheckList formats = TCheckList::Create(instance_, host_, 2, 10, 80, 200, 100, nullptr);
    for (const char16_t* caption : {u"STEP AP214", u"STL (ASCII)", u"VRML 2.0"}) {
        formats.Add(caption);
    }
    const HWND list = formats.Handle();
    const Accessible reader = Accessible::AskWindow(list);
    EXPECT_EQ(reader.Role(), ROLE_SYSTEM_LIST);
    EXPECT_EQ(reader.Name(), L"Available CAD formats");
    ASSERT_EQ(reader.ChildCount(), 3);
    EXPECT_EQ(reader.Role(1), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(reader.Name(1), L"STEP AP214");
    EXPECT_EQ(reader.Name(3), L"VRML 2.0");
    EXPECT_FALSE(Has(reader.State(2), STATE_SYSTEM_CHECKED));
    EXPECT_EQ(reader.DefaultAction(2), L"Check");
    HeardSinceLastTime();

    // A check and a greying, as the settings loader makes them.
    formats.SetChecked(1, true);
    formats.SetEnabled(0, false);
    EXPECT_TRUE(Has(reader.State(2), STATE_SYSTEM_CHECKED));
    EXPECT_EQ(reader.DefaultAction(2), L"Uncheck");
    EXPECT_TRUE(Has(reader.State(1), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(reader.State(3) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED), 0u);
    EXPECT_EQ(HeardSinceLastTime(),
              (std::vector<Heard>{{kStateChange, list, 2}, {kStateChange, list, 1}}));

    // An exchange moves the names and the states, and says so for both places.
    formats.Exchange(0, 2);
    EXPECT_EQ(reader.Name(1), L"VRML 2.0");
    EXPECT_EQ(reader.Name(3), L"STEP AP214");
    EXPECT_TRUE(Has(reader.State(3), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_FALSE(Has(reader.State(1), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(HeardSinceLastTime(), (std::vector<Heard>{{kNameChange, list, 1},
                                                        {kStateChange, list, 1},
                                                        {kNameChange, list, 3},
                                                        {kStateChange, list, 3}}));

    // The reader's default action toggles as the user does, and not a greyed entry.
    EXPECT_THROW(reader.DoDefaultAction(3), drive::DriverError);
    reader.DoDefaultAction(1);
    EXPECT_TRUE(formats.Checked(0));
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, unsigned>>{{2, check_list::kCheckChanged}}));

    // Other objects of the window are the system's to answer.
    EXPECT_EQ(SendMessageW(list, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0);
}

TEST_F(AccessibleControlsTest, TheBitmapButtonIsAPushButtonNamedByItsCaption) {
    const HWND exportButton = Add(kMouseStateButtonClass, L"Export", WS_TABSTOP | WS_DISABLED, 1);
    const Accessible reader = Accessible::AskWindow(exportButton);
    EXPECT_EQ(reader.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(reader.Name(), L"Export");
    EXPECT_TRUE(Has(reader.State(), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(reader.DefaultAction(), L"");
    HeardSinceLastTime();

    TxQRV3MouseStateButton button(exportButton);
    button.SetEnabled(true);
    button.Set_LabelCaption(u"Close");
    EXPECT_FALSE(Has(reader.State(), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_TRUE(Has(reader.State(), STATE_SYSTEM_FOCUSABLE));
    EXPECT_EQ(reader.Name(), L"Close");
    EXPECT_EQ(HeardSinceLastTime(),
              (std::vector<Heard>{{kStateChange, exportButton, CHILDID_SELF},
                                  {kNameChange, exportButton, CHILDID_SELF}}));
    EXPECT_EQ(reader.DefaultAction(), L"Press");
    reader.DoDefaultAction();
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, unsigned>>{{1, BN_CLICKED}}));
}

} // namespace
} // namespace qrv

#include "driver/window.h"

#include <algorithm>
#include <memory>

#include "driver/error.h"
#include "driver/text.h"
#include "driver/top_level.h"

namespace qrv::drive {

namespace {

std::string HandleText(HWND handle) {
    return HexText(handle);
}

// A message sent with SendMessageCallback. The program may answer after the caller has
// stopped waiting, so the record lives until the answer comes and frees itself then.
struct PendingAnswer {
    bool answered = false;
    bool abandoned = false;

    static void CALLBACK OnAnswer(HWND, UINT, ULONG_PTR data, LRESULT) {
        auto* pending = reinterpret_cast<PendingAnswer*>(data);
        if (pending->abandoned) {
            delete pending;
        } else {
            pending->answered = true;
        }
    }
};

// Lets the calling thread receive the answers of SendMessageCallback.
void PumpOwnMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool IsNewVisibleWindow(const Window& window, const std::vector<Window>& before) {
    return window.IsVisible() && std::find(before.begin(), before.end(), window) == before.end();
}

} // namespace

std::string ControlQuery::Describe() const {
    std::string textPart;
    if (id) {
        textPart += "id " + std::to_string(*id);
    }
    if (className) {
        textPart += (textPart.empty() ? "" : ", ") + std::string("class ") + ToUtf8(*className);
    }
    if (text) {
        textPart += (textPart.empty() ? "" : ", ") + std::string("text \"") + ToUtf8(*text) + "\"";
    }
    if (index) {
        textPart += ", index " + std::to_string(index);
    }
    return "control (" + textPart + ")";
}

bool Window::Exists() const {
    return handle_ && IsWindow(handle_);
}

void Window::RequireExists(const char* action) const {
    if (!Exists()) {
        throw DriverError(std::string(action) + ": window " + HandleText(handle_) +
                          " does not exist");
    }
}

LRESULT Window::Send(UINT message, WPARAM wparam, LPARAM lparam, Milliseconds timeout) const {
    RequireExists("Sending a message");
    DWORD_PTR result = 0;
    SetLastError(0);
    if (!SendMessageTimeoutW(handle_, message, wparam, lparam, SMTO_NORMAL,
                             static_cast<UINT>(timeout.count()), &result)) {
        if (GetLastError() == ERROR_TIMEOUT || GetLastError() == 0) {
            throw TimeoutError("Window " + HandleText(handle_) + " did not answer message " +
                               std::to_string(message) + " within " +
                               std::to_string(timeout.count()) + " ms");
        }
        ThrowLastError("Sending message " + std::to_string(message) + " to window " +
                       HandleText(handle_));
    }
    return static_cast<LRESULT>(result);
}

void Window::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
    if (!PostMessageW(handle_, message, wparam, lparam)) {
        ThrowLastError("Posting message " + std::to_string(message) + " to window " +
                       HandleText(handle_));
    }
}

std::wstring Window::Text() const {
    // One message where the text fits: a program that handles messages only now and then may
    // change the text between a length query and the read.
    constexpr size_t kFirstTry = 1024;
    std::wstring first(kFirstTry, L'\0');
    const auto got =
        static_cast<size_t>(Send(WM_GETTEXT, kFirstTry, reinterpret_cast<LPARAM>(first.data())));
    if (got + 1 < kFirstTry) {
        first.resize(got);
        return first;
    }
    const auto length = static_cast<size_t>(Send(WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto copied =
        static_cast<size_t>(Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

std::wstring Window::ClassName() const {
    wchar_t buffer[256];
    const int length = GetClassNameW(handle_, buffer, 256);
    if (length == 0) {
        ThrowLastError("Reading the class of window " + HandleText(handle_));
    }
    return std::wstring(buffer, static_cast<size_t>(length));
}

int Window::Id() const {
    return GetDlgCtrlID(handle_);
}

DWORD Window::ProcessId() const {
    DWORD processId = 0;
    GetWindowThreadProcessId(handle_, &processId);
    return processId;
}

bool Window::IsVisible() const {
    return IsWindowVisible(handle_) != FALSE;
}

bool Window::IsEnabled() const {
    return IsWindowEnabled(handle_) != FALSE;
}

bool Window::IsMinimized() const {
    return IsIconic(handle_) != FALSE;
}

bool Window::IsFocused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(handle_, nullptr), &info) &&
           info.hwndFocus == handle_;
}

int Window::CheckState() const {
    return static_cast<int>(Send(BM_GETCHECK));
}

RECT Window::Rect() const {
    RECT rect{};
    if (!GetWindowRect(handle_, &rect)) {
        ThrowLastError("Reading the rectangle of window " + HandleText(handle_));
    }
    return rect;
}

POINT Window::Centre() const {
    const RECT rect = Rect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

LONG_PTR Window::Style() const {
    return GetWindowLongPtrW(handle_, GWL_STYLE);
}

Window Window::Parent() const {
    return Window(GetAncestor(handle_, GA_PARENT) == GetDesktopWindow()
                      ? nullptr
                      : GetAncestor(handle_, GA_PARENT));
}

Window Window::Owner() const {
    return Window(GetWindow(handle_, GW_OWNER));
}

Window Window::TopLevel() const {
    return Window(GetAncestor(handle_, GA_ROOT));
}

bool Window::IsAbove(const Window& other) const {
    const HWND below = other.TopLevel().Handle();
    for (HWND next = GetWindow(TopLevel().Handle(), GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
        if (next == below) {
            return true;
        }
    }
    return false;
}

std::vector<Window> Window::Children() const {
    std::vector<Window> children;
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.emplace_back(child);
    }
    return children;
}

std::vector<Window> Window::Descendants() const {
    std::vector<Window> all;
    for (const Window& child : Children()) {
        all.push_back(child);
        const auto below = child.Descendants();
        all.insert(all.end(), below.begin(), below.end());
    }
    return all;
}

std::optional<Window> Window::FindChild(const ControlQuery& query) const {
    int matches = 0;
    for (const Window& child : Descendants()) {
        if (query.id && child.Id() != *query.id) {
            continue;
        }
        if (query.className &&
            CompareStringOrdinal(child.ClassName().c_str(), -1, query.className->c_str(), -1,
                                 TRUE) != CSTR_EQUAL) {
            continue;
        }
        if (query.text) {
            const std::wstring text = child.Text();
            if (text != *query.text && WithoutMnemonics(text) != *query.text) {
                continue;
            }
        }
        if (matches++ == query.index) {
            return child;
        }
    }
    return std::nullopt;
}

Window Window::Child(const ControlQuery& query) const {
    RequireExists("Finding a control");
    if (auto child = FindChild(query)) {
        return *child;
    }
    throw DriverError("No " + query.Describe() + " in window " + HandleText(handle_));
}

void Window::WaitForText(const std::wstring& text, Milliseconds timeout) const {
    WaitUntil([&] { return Text() == text; }, timeout,
              "window " + HandleText(handle_) + " to show \"" + ToUtf8(text) + "\"");
}

Window Window::WaitForChild(const ControlQuery& query, Milliseconds timeout) const {
    return WaitForValue([&] { return FindChild(query); }, timeout,
                        query.Describe() + " in window " + HandleText(handle_));
}

void Window::Click(Milliseconds timeout) const {
    RequireExists("Clicking");
    const Window top = TopLevel();
    const DWORD processId = ProcessId();
    // Windows created hidden and shown by the handler (a progress dialog) count as new.
    const auto before = FindTopLevelWindows(processId, {});
    auto* pending = new PendingAnswer;
    if (!SendMessageCallbackW(handle_, BM_CLICK, 0, 0, &PendingAnswer::OnAnswer,
                              reinterpret_cast<ULONG_PTR>(pending))) {
        delete pending;
        ThrowLastError("Clicking window " + HandleText(handle_));
    }
    try {
        WaitUntil(
            [&] {
                PumpOwnMessages();
                // A click that ends the program (or closes the window) gets no answer.
                if (pending->answered || !Exists()) {
                    return true;
                }
                // A handler that waits for the user in a modal window disables its owner or
                // shows a window; the click has then done all it can for now.
                if (top.Exists() && top.IsVisible() && !top.IsEnabled()) {
                    return true;
                }
                const auto now = TopLevelWindows(processId);
                return std::any_of(now.begin(), now.end(), [&](const Window& window) {
                    return IsNewVisibleWindow(window, before);
                });
            },
            timeout, "the click on window " + HandleText(handle_) + " to be handled");
    } catch (...) {
        pending->abandoned = true;
        throw;
    }
    if (pending->answered) {
        delete pending;
    } else {
        pending->abandoned = true;
    }
}

void Window::PostClick() const {
    RequireExists("Clicking");
    Post(BM_CLICK);
}

void Window::SetText(const std::wstring& text, Milliseconds timeout) const {
    if (!Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), timeout)) {
        throw DriverError("Window " + HandleText(handle_) + " refused the text");
    }
}

void Window::Close() const {
    RequireExists("Closing");
    Post(WM_CLOSE);
}

void Window::Minimize(Milliseconds timeout) const {
    RequireExists("Minimising");
    Post(WM_SYSCOMMAND, SC_MINIMIZE);
    WaitUntil([&] { return IsMinimized(); }, timeout,
              "window " + HandleText(handle_) + " to be minimised");
}

void Window::Restore(Milliseconds timeout) const {
    RequireExists("Restoring");
    Post(WM_SYSCOMMAND, SC_RESTORE);
    WaitUntil([&] { return !IsMinimized(); }, timeout,
              "window " + HandleText(handle_) + " to be restored");
}

void Window::BringToFront(Milliseconds timeout) const {
    RequireExists("Bringing to the front");
    const Window top = TopLevel();
    WaitUntil(
        [&] {
            if (ForegroundWindow() == top) {
                return true;
            }
            SetForegroundWindow(top.Handle());
            return ForegroundWindow() == top;
        },
        timeout, "window " + HandleText(top.Handle()) + " to become the foreground window");
}

void Window::Focus(Milliseconds timeout) const {
    BringToFront(timeout);
    // SetFocus works only on windows of the calling thread's input queue: share it a moment.
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD targetThread = GetWindowThreadProcessId(handle_, nullptr);
    WaitUntil(
        [&] {
            if (IsFocused()) {
                return true;
            }
            if (AttachThreadInput(ownThread, targetThread, TRUE)) {
                SetFocus(handle_);
                AttachThreadInput(ownThread, targetThread, FALSE);
            }
            return IsFocused();
        },
        timeout, "window " + HandleText(handle_) + " to receive the keyboard focus");
}

Window ForegroundWindow() {
    return Window(GetForegroundWindow());
}

} // namespace qrv::drive

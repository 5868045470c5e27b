#include <windows.h>

#include "commands.h"
#include "driver/error.h"
#include "driver/input.h"
#include "driver/list_box.h"
#include "driver/message_box.h"
#include "driver/text.h"
#include "driver/top_level.h"
#include "output.h"

namespace qrv::drive::cli {

namespace {

bool IsClass(const Window& window, const wchar_t* name) {
    return CompareStringOrdinal(window.ClassName().c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

// "--window HANDLE", or else the process's first visible top-level window that is not a
// dialog (the main window), or else its first visible one. Resolved after every argument has
// been checked.
class TargetWindow {
public:
    explicit TargetWindow(Arguments& arguments) : handle_(arguments.TakeOption(L"--window")) {}
    Window Resolve(DWORD processId) const;

private:
    std::optional<std::wstring> handle_;
};

Window TargetWindow::Resolve(DWORD processId) const {
    if (handle_) {
        const Window window(ParseWindowHandle(*handle_));
        if (!window.Exists()) {
            throw DriverError("No window " + ToUtf8(*handle_));
        }
        return window;
    }
    const auto windows = FindTopLevelWindows(processId, {});
    for (const Window& window : windows) {
        if (!IsClass(window, L"#32770")) {
            return window;
        }
    }
    if (windows.empty()) {
        throw DriverError("Process " + std::to_string(processId) + " shows no window");
    }
    return windows.front();
}

// --id N | --class NAME [--index I] | --text TEXT (combinable).
std::optional<ControlQuery> TakeControl(Arguments& arguments) {
    ControlQuery query;
    if (const auto id = arguments.TakeOption(L"--id")) {
        query.id = ParseInteger(*id, "control id");
    }
    query.className = arguments.TakeOption(L"--class");
    query.text = arguments.TakeOption(L"--text");
    if (const auto index = arguments.TakeOption(L"--index")) {
        query.index = ParseInteger(*index, "index");
    }
    if (!query.id && !query.className && !query.text) {
        return std::nullopt;
    }
    return query;
}

ControlQuery RequireControl(Arguments& arguments) {
    if (auto query = TakeControl(arguments)) {
        return *query;
    }
    throw UsageError("Name the control with --id, --class [--index] or --text");
}

bool IsCheckable(const Window& window) {
    const auto type = window.Style() & BS_TYPEMASK;
    return IsClass(window, L"Button") &&
           (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
            type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

std::wstring Describe(const Window& window, bool topLevel) {
    std::wstring line = HandleText(window.Handle()) + L" " + window.ClassName();
    if (!topLevel) {
        line += L" id=" + std::to_wstring(window.Id());
    }
    line += L" " + Quoted(window.Text());
    line += window.IsVisible() ? L" visible" : L" hidden";
    if (!window.IsEnabled()) {
        line += L" disabled";
    }
    if (topLevel && window.IsMinimized()) {
        line += L" minimized";
    }
    if (topLevel && ForegroundWindow() == window) {
        line += L" foreground";
    }
    if (window.IsFocused()) {
        line += L" focused";
    }
    if (IsCheckable(window)) {
        const int state = window.CheckState();
        line += state == BST_CHECKED         ? L" checked"
                : state == BST_INDETERMINATE ? L" indeterminate"
                                             : L" unchecked";
    }
    if (IsClass(window, L"ListBox")) {
        const ListBox list(window);
        line += L" items=[";
        const auto items = list.Items();
        for (size_t i = 0; i < items.size(); ++i) {
            line += (i ? L", " : L"") + Quoted(items[i]);
        }
        line += L"] selected=" + std::to_wstring(list.Selection());
    }
    return line;
}

void PrintTree(const Window& window, int depth) {
    PrintLine(std::wstring(static_cast<size_t>(depth) * 2, L' ') + Describe(window, depth == 0));
    for (const Window& child : window.Children()) {
        PrintTree(child, depth + 1);
    }
}

int ButtonId(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        int id;
    } kNames[] = {{L"IDOK", IDOK},
                  {L"IDCANCEL", IDCANCEL},
                  {L"IDABORT", IDABORT},
                  {L"IDRETRY", IDRETRY},
                  {L"IDIGNORE", IDIGNORE},
                  {L"IDYES", IDYES},
                  {L"IDNO", IDNO},
                  {L"IDCLOSE", IDCLOSE},
                  {L"IDHELP", IDHELP},
                  {L"IDTRYAGAIN", IDTRYAGAIN},
                  {L"IDCONTINUE", IDCONTINUE}};
    for (const auto& entry : kNames) {
        if (name == entry.name) {
            return entry.id;
        }
    }
    return 0;
}

} // namespace

int ListWindows(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    arguments.RequireDone();
    for (const Window& window : TopLevelWindows(processId)) {
        try {
            PrintLine(Describe(window, true));
        } catch (const DriverError&) {
            // Gone while it was read.
        }
    }
    return 0;
}

int WaitWindow(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    WindowFilter filter;
    filter.className = arguments.TakeOption(L"--class");
    filter.caption = arguments.TakeOption(L"--title");
    filter.visibleOnly = !arguments.TakeFlag(L"--hidden-too");
    const Milliseconds timeout = arguments.TakeTimeout(kDefaultTimeout);
    arguments.RequireDone();
    PrintLine(HandleText(WaitForTopLevelWindow(processId, filter, timeout).Handle()));
    return 0;
}

int Texts(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    PrintTree(window, 0);
    return 0;
}

int Click(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    const ControlQuery query = RequireControl(arguments);
    const bool real = arguments.TakeFlag(L"--real");
    const Milliseconds timeout = arguments.TakeTimeout(kDefaultTimeout);
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    const Window control = window.WaitForChild(query, timeout);
    if (real) {
        RealClick(control);
    } else {
        control.Click(timeout);
    }
    return 0;
}

int WaitText(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    const ControlQuery query = RequireControl(arguments);
    const Milliseconds timeout = arguments.TakeTimeout(kDefaultTimeout);
    const std::wstring text = arguments.TakeWord("text");
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    window.WaitForChild(query, timeout).WaitForText(text, timeout);
    return 0;
}

int SetText(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    const ControlQuery query = RequireControl(arguments);
    const std::wstring text = arguments.TakeWord("text");
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    window.WaitForChild(query).SetText(text);
    return 0;
}

int Type(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    const ControlQuery query = RequireControl(arguments);
    const bool enter = arguments.TakeFlag(L"--enter");
    const std::wstring text = arguments.TakeWord("text");
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    RealType(window.WaitForChild(query), text);
    if (enter) {
        PressKey(VK_RETURN);
    }
    return 0;
}

int List(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    const ControlQuery query = RequireControl(arguments);
    const bool checkList = arguments.TakeFlag(L"--check-list");
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    const CheckList list(window.WaitForChild(query));
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        std::wstring line = std::to_wstring(i) + L" " + Quoted(list.Item(i));
        if (checkList) {
            line += list.IsChecked(i) ? L" checked" : L" unchecked";
            line += list.IsEntryEnabled(i) ? L"" : L" disabled";
        }
        PrintLine(line);
    }
    return 0;
}

int MsgBox(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const auto press = arguments.TakeOption(L"--press");
    const Milliseconds timeout = arguments.TakeTimeout(kDefaultTimeout);
    arguments.RequireDone();
    const MessageBoxWindow box = MessageBoxWindow::WaitFor(processId, timeout);
    PrintLine(L"caption: " + Quoted(box.Caption()));
    PrintLine(L"message: " + Quoted(box.Message()));
    for (const auto& button : box.Buttons()) {
        PrintLine(L"button: " + std::to_wstring(button.id) + L" " + Quoted(button.text));
    }
    if (press) {
        if (const int id = ButtonId(*press)) {
            box.Press(id, timeout);
        } else if (!press->empty() && iswdigit(press->front())) {
            box.Press(ParseInteger(*press, "button id"), timeout);
        } else {
            box.Press(*press, timeout);
        }
        PrintLine(L"pressed: " + *press);
    }
    return 0;
}

int Close(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    window.Close();
    return 0;
}

int Minimize(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    window.Minimize();
    return 0;
}

int Restore(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    // A minimised window is still visible: the main window is found as usual.
    const TargetWindow target(arguments);
    arguments.RequireDone();
    const Window window = target.Resolve(processId);
    window.Restore();
    return 0;
}

int Front(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const TargetWindow target(arguments);
    arguments.RequireDone();
    target.Resolve(processId).BringToFront();
    return 0;
}

int Foreground(Arguments& arguments) {
    arguments.RequireDone();
    const Window window = ForegroundWindow();
    if (!window) {
        PrintLine(L"none");
        return 0;
    }
    PrintLine(L"pid=" + std::to_wstring(window.ProcessId()) + L" " + Describe(window, true));
    return 0;
}

} // namespace qrv::drive::cli

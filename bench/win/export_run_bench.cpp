// The export run's own cost per part, with the program's real windows under Wine and a CAD
// library that answers at once: runs of 5,000, 10,000 and 20,000 parts, every part exported
// or every part failing. Prints the time per part, the ratio of the 20,000 run to the 10,000
// run, and where the time goes: the dialog's labels and pump (ShowProgress, twice a part),
// the bring-to-front, the main window's bar and text, the error list.
#include "app/win32/application_window.h"
#include "cadlib/silent_cad_library.h"
#include "controls/win32/window_base.h"
#include "export/win32/error_window.h"
#include "export/win32/export_details.h"
#include "export/win32/taskbar_progress.h"
#include "platform/win32/windows_shell.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace qrv;

double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds spent per kind of work.
std::map<std::string, double> spent;

template <typename Work> void Timed(const char* bucket, Work&& work) {
    const double start = Now();
    work();
    spent[bucket] += Now() - start;
}

class InstantLibrary final : public SilentCadLibrary {
public:
    bool fail = false;
    bool ExportPart(const std::string&, const std::string&, const std::string&, const std::string&,
                    const std::string&) override {
        return !fail;
    }
};

// A main window with the run's controls: a progress bar and the progress text.
class BenchMainWindow final : public TWindowBase, public TExportRunMainView {
public:
    explicit BenchMainWindow(TApplicationWindow& application) : application_(application) {}
    void Create(HINSTANCE instance, HWND owner) {
        CreateWindowOf(instance, {.name = L"QrvBenchMain"}, 0, L"Export run benchmark",
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 672, 494}, owner);
        bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 349, 374, 297, 17, Handle(),
                               nullptr, instance, nullptr);
        label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 344, 346, 300, 13,
                                 Handle(), nullptr, instance, nullptr);
    }
    void SetProgressText(const std::u16string& text) override {
        Timed("main bar and text",
              [&] { SetWindowTextW(label_, reinterpret_cast<const wchar_t*>(text.c_str())); });
    }
    void HideExportButton() override {}
    void ShowProgressBar(int32_t maximum) override {
        SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
        ShowWindow(bar_, SW_SHOW);
    }
    void SetProgressPosition(int32_t position) override {
        Timed("main bar and text",
              [&] { SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0); });
    }
    void HideProgressBar() override { ShowWindow(bar_, SW_HIDE); }
    void BringWindowsToFront() override {
        Timed("bring to front", [this] { application_.BringProgramWindowsToFront(); });
    }

private:
    TApplicationWindow& application_;
    HWND bar_ = nullptr;
    HWND label_ = nullptr;
};

// The dialog and the error window, timed.
class TimedProgress final : public TExportProgressView {
public:
    explicit TimedProgress(TfrmExportDetails& dialog) : dialog_(dialog) {}
    void PrepareRun(int32_t parts) override { dialog_.PrepareRun(parts); }
    void SetDestinationFolder(const std::u16string& folder) override {
        dialog_.SetDestinationFolder(folder);
    }
    void Show() override { dialog_.Show(); }
    void SetPartLabel(const std::u16string& text) override { dialog_.SetPartLabel(text); }
    void ShowProgress(const std::u16string& partNo, const std::u16string& type,
                      const std::u16string& id1, const std::u16string& id2, int32_t position,
                      int32_t good, int32_t bad) override {
        Timed("dialog labels and pump",
              [&] { dialog_.ShowProgress(partNo, type, id1, id2, position, good, bad); });
    }
    bool Aborted() const override { return dialog_.Aborted(); }
    void ShowFinished() override { dialog_.ShowFinished(); }
    void ShowFailed() override { dialog_.ShowFailed(); }

private:
    TfrmExportDetails& dialog_;
};

class TimedErrors final : public TExportErrorView {
public:
    explicit TimedErrors(TfrmError& window) : window_(window) {}
    void Clear() override { window_.Clear(); }
    void SetDestinationFolder(const std::u16string& folder) override {
        window_.SetDestinationFolder(folder);
    }
    void AddError(const std::u16string& caption, const TFailedPart& part) override {
        Timed("error list", [&] { window_.AddError(caption, part); });
    }
    void ShowPendingErrors() override {
        Timed("error list", [&] { window_.ShowPendingErrors(); });
    }

private:
    TfrmError& window_;
};

TBasketParameters Basket(int parts) {
    TBasketParameters basket;
    basket.FShopName = u"Shop";
    for (int i = 0; i < parts; ++i) {
        const std::string n = std::to_string(i);
        const std::u16string number(n.begin(), n.end());
        basket.FPartNoList.push_back(u"DIN 912 M8x" + number);
        basket.FTypeList.push_back(u"DIN912");
        basket.FID1List.push_back(u"PRJ" + number);
        basket.FID2List.push_back(u"NB" + number);
        basket.FCADList.push_back(u"{din912}=L" + number);
    }
    return basket;
}

// The four check lists and fields a run reads its choices from; none are checked.
class NoChoices final : public TCheckListView, public TExportChoiceFields {
public:
    int Count() const override { return 0; }
    void Clear() override {}
    void Add(const std::u16string&) override {}
    std::u16string Caption(int) const override { return {}; }
    bool Checked(int) const override { return false; }
    void SetChecked(int, bool) override {}
    bool Enabled(int) const override { return true; }
    void SetEnabled(int, bool) override {}
    void Exchange(int, int) override {}
    int Selected() const override { return kNoSelection; }
    std::u16string Destination() const override { return u"C:\\"; }
    void SetDestination(const std::u16string&) override {}
    bool CreateZip() const override { return false; }
    void SetCreateZip(bool) override {}
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    TApplicationWindow application;
    application.Create(instance);
    BenchMainWindow main(application);
    main.Create(instance, application.Handle());
    application.SetMainWindow(main.Handle());
    const TKeptTexts texts;
    TWindowsShell shell;
    TfrmExportDetails dialog(shell);
    dialog.Create(instance, application.Handle(), main.Handle(), texts);
    TfrmError errors(shell);
    errors.Create(instance, application.Handle(), texts);
    application.AddProgramWindow(errors.Handle());
    application.AddProgramWindow(dialog.Handle());
    TimedProgress progress(dialog);
    TimedErrors errorList(errors);
    // The taskbar button as the shell announces it (Wine does not): the run's calls on the
    // taskbar list count under "other".
    SendMessageW(application.Handle(), TTaskbarProgress::ButtonCreatedMessage(), 0, 0);
    TExportTaskbarView& taskbar = application.TaskbarButton();
    NoChoices none;
    TExportChoices choices(none, none, none);

    // An empty pump, for the share of the pumping in the dialog's ShowProgress.
    const double pumpStart = Now();
    constexpr int kPumps = 20000;
    for (int i = 0; i < kPumps; ++i) {
        shell.Pump();
    }
    const double emptyPumpMs = (Now() - pumpStart) / kPumps;

    std::printf("%-8s %-9s %10s %12s %12s %12s %12s %12s\n", "parts", "parts do", "ms/part",
                "labels+pump", "to front", "main bar", "error list", "other");
    std::map<std::pair<bool, int>, double> totals;
    for (const bool fail : {false, true}) {
        for (const int parts : {5000, 10000, 20000}) {
            const TBasketParameters basket = Basket(parts);
            InstantLibrary library;
            library.fail = fail;
            const TExportRunInputs inputs{basket,  u"",       u"",       u"C:\\",
                                          choices, u"~Start", u"~Errors"};
            spent.clear();
            const double start = Now();
            RunExport(&library, inputs, main, progress, errorList, taskbar);
            const double total = Now() - start;
            totals[{fail, parts}] = total;
            double measured = 0;
            for (const auto& [bucket, ms] : spent) {
                measured += ms;
            }
            auto perPartUs = [&](const char* bucket) { return spent[bucket] * 1000.0 / parts; };
            std::printf("%-8d %-9s %10.3f %10.1fus %10.1fus %10.1fus %10.1fus %10.1fus\n", parts,
                        fail ? "fail" : "succeed", total / parts,
                        perPartUs("dialog labels and pump"), perPartUs("bring to front"),
                        perPartUs("main bar and text"), perPartUs("error list"),
                        (total - measured) * 1000.0 / parts);
        }
    }
    std::printf("\nratio 20000/10000: succeed %.2f, fail %.2f (goal: at most 2.1)\n",
                totals[{false, 20000}] / totals[{false, 10000}],
                totals[{true, 20000}] / totals[{true, 10000}]);
    std::printf("an empty pump: %.1f us (the dialog pumps twice a part)\n", emptyPumpMs * 1000.0);
    std::fflush(stdout);
    return 0;
}

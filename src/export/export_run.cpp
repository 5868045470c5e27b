#include "export/export_run.h"

#include "cadlib/library_fault.h"
#include "platform/ansi.h"
#include "platform/decimal_text.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/scope_exit.h"

#include <exception>
#include <optional>

namespace qrv {

namespace {

const std::u16string& Entry(const std::vector<std::u16string>& list, size_t index) {
    static const std::u16string empty;
    // The lists have the same length unless reading the environment failed half-way.
    return index < list.size() ? list[index] : empty;
}

// Ends the export after the part loop failed and passes the failure on. A fault of the
// library in ExportCAD_EndExport too is named in the report after the first one.
[[noreturn]] void EndExportAfterFailure(TCADLibrary& library, const std::exception_ptr& failure) {
    std::optional<ECADLibraryFault> second;
    try {
        library.EndExport();
    } catch (const ECADLibraryFault& fault) {
        second = fault;
    } catch (...) {
        // Any other failure here adds nothing to the first one.
    }
    if (second) {
        try {
            std::rethrow_exception(failure);
        } catch (const ECADLibraryFault& first) {
            throw ECADLibraryFault(first, *second);
        } catch (...) {
        }
    }
    std::rethrow_exception(failure);
}

void ExportParts(TCADLibrary& library, const TExportRunInputs& inputs, TExportRunMainView& main,
                 TExportProgressView& progress, TExportErrorView& errors,
                 TExportTaskbarView& taskbar) {
    const TBasketParameters& basket = inputs.basket;
    const auto parts = static_cast<int32_t>(basket.FPartNoList.size());
    int32_t good = 0;
    int32_t bad = 0;
    auto showOnTaskbar = [&](int32_t done) {
        using enum TExportTaskbarView::TState;
        taskbar.ShowProgress(done, parts, progress.Aborted() ? paused : bad > 0 ? error : normal);
    };
    for (int32_t position = 0; position < parts; ++position) {
        const auto i = static_cast<size_t>(position);
        const std::u16string& partNo = Entry(basket.FPartNoList, i);
        const std::u16string& type = Entry(basket.FTypeList, i);
        const std::u16string& id1 = Entry(basket.FID1List, i);
        const std::u16string& id2 = Entry(basket.FID2List, i);
        main.SetProgressPosition(position);
        progress.ShowProgress(partNo, type, id1, id2, position, good, bad);
        showOnTaskbar(position); // an abort pressed now waits for the end of this part
        main.BringWindowsToFront();
        errors.ShowPendingErrors();
        if (library.ExportPart(ToAnsi(partNo), ToAnsi(type), ToAnsi(id1), ToAnsi(id2),
                               ToAnsi(Entry(basket.FCADList, i)))) {
            ++good;
        } else {
            ++bad;
            errors.AddError(inputs.errorsText, {partNo, type, id1, id2});
        }
        main.SetProgressText(ProgressText(good, bad, parts));
        progress.ShowProgress(partNo, type, id1, id2, position, good, bad);
        showOnTaskbar(position + 1);
        if (progress.Aborted()) {
            break;
        }
    }
}

class TNoTaskbarButton final : public TExportTaskbarView {
public:
    void ShowProgress(int32_t, int32_t, TState) override {}
    void Clear() override {}
};

} // namespace

TExportTaskbarView& NoTaskbarButton() {
    static TNoTaskbarButton none;
    return none;
}

std::u16string ProgressText(int32_t good, int32_t bad, int32_t parts) {
    return DecimalText(good) + u"+" + DecimalText(bad) + u"/" + DecimalText(parts);
}

std::u16string ErrorLine(const std::u16string& partNo, const std::u16string& type,
                         const std::u16string& id1, const std::u16string& id2) {
    return u"- " + partNo + u"  " + type + u"   " + id1 + u"   " + id2;
}

void SetLibraryDirs(TCADLibrary* library, const std::u16string& cadData,
                    const std::u16string& cadSoftware, const std::u16string& destination,
                    const std::u16string& shopName) {
    if (library == nullptr) {
        return;
    }
    library->SetDirs(cadData, cadSoftware, AddTrailingBackslash(destination),
                     shopName.empty() ? u"default" : shopName);
}

void RunExport(TCADLibrary* library, const TExportRunInputs& inputs, TExportRunMainView& main,
               TExportProgressView& progress, TExportErrorView& errors,
               TExportTaskbarView& taskbar) {
    const TBasketParameters& basket = inputs.basket;
    const auto parts = static_cast<int32_t>(basket.FPartNoList.size());
    main.SetProgressText(u"");
    main.HideExportButton();
    main.ShowProgressBar(parts);
    progress.PrepareRun(parts);
    progress.Show();
    errors.Clear();

    TScopeExit hideBar([&] { main.HideProgressBar(); });
    if (library == nullptr) {
        return;
    }
    TScopeExit clearTaskbar([&] { taskbar.Clear(); });
    taskbar.ShowProgress(0, parts, TExportTaskbarView::TState::normal);
    // On a failure the dialog offers Close, so that the user can still end the program.
    TScopeExit offerClose([&] { progress.ShowFailed(); });
    // The run's windows open and save in the folder it exports into.
    progress.SetDestinationFolder(inputs.destination);
    errors.SetDestinationFolder(inputs.destination);
    if (!WideDirectoryExists(inputs.destination)) {
        CreateSingleFolder(inputs.destination); // a failure shows in the parts that fail
    }
    SetLibraryDirs(library, inputs.cadDataFolder, inputs.cadSoftwareFolder, inputs.destination,
                   basket.FShopName);
    inputs.choices.SendFormatSelection(*library);
    inputs.choices.SendSubDirSelection(*library);
    inputs.choices.SendZipMode(*library);

    progress.SetPartLabel(inputs.startingText);
    library->BeginExport();
    try {
        ExportParts(*library, inputs, main, progress, errors, taskbar);
    } catch (...) {
        EndExportAfterFailure(*library, std::current_exception());
    }
    library->EndExport();
    hideBar.Dismiss();
    main.HideProgressBar();

    library->CadStop();
    clearTaskbar.Dismiss();
    taskbar.Clear();
    offerClose.Dismiss();
    progress.ShowFinished();
    main.BringWindowsToFront();
}

} // namespace qrv

// A stand-in for the shell's taskbar list (CLSID_TaskbarList) that appends each call of the
// program to the file QRV_TASKBAR_LOG names: "HrInit", "SetProgressState <window class> <TBPF
// flags>", "SetProgressValue <window class> <done>/<total>". Static C-style objects, the rest null.
#define CINTERFACE
#include <windows.h>

#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

HRESULT Record(const std::string& call, HWND window = nullptr, const std::string& what = "") {
    char path[MAX_PATH], windowClass[64] = "";
    GetClassNameA(window, windowClass, sizeof(windowClass));
    const DWORD length = GetEnvironmentVariableA("QRV_TASKBAR_LOG", path, MAX_PATH);
    if (FILE* file = length > 0 && length < MAX_PATH ? std::fopen(path, "a") : nullptr) {
        std::fprintf(file, "%s\n", (window ? call + " " + windowClass + " " + what : call).c_str());
        std::fclose(file);
    }
    return S_OK;
}

template <typename Object> HRESULT STDMETHODCALLTYPE Query(Object* self, REFIID iid, void** out) {
    const bool known = iid == IID_IUnknown || iid == IID_IClassFactory || iid == IID_ITaskbarList ||
                       iid == IID_ITaskbarList2 || iid == IID_ITaskbarList3;
    *out = known ? self : nullptr;
    return known ? S_OK : E_NOINTERFACE;
}
template <typename Object> ULONG STDMETHODCALLTYPE Static(Object*) {
    return 1;
}

HRESULT STDMETHODCALLTYPE HrInit(ITaskbarList3*) {
    return Record("HrInit");
}
HRESULT STDMETHODCALLTYPE SetProgressValue(ITaskbarList3*, HWND window, ULONGLONG done,
                                           ULONGLONG total) {
    return Record("SetProgressValue", window, std::to_string(done) + "/" + std::to_string(total));
}
HRESULT STDMETHODCALLTYPE SetProgressState(ITaskbarList3*, HWND window, TBPFLAG flags) {
    return Record("SetProgressState", window, std::to_string(flags));
}
ITaskbarList3Vtbl listMethods = {.QueryInterface = Query<ITaskbarList3>,
                                 .AddRef = Static<ITaskbarList3>,
                                 .Release = Static<ITaskbarList3>,
                                 .HrInit = HrInit,
                                 .SetProgressValue = SetProgressValue,
                                 .SetProgressState = SetProgressState};
ITaskbarList3 list{&listMethods};

HRESULT STDMETHODCALLTYPE CreateInstance(IClassFactory*, IUnknown*, REFIID iid, void** out) {
    return Query(&list, iid, out);
}
IClassFactoryVtbl factoryMethods = {.QueryInterface = Query<IClassFactory>,
                                    .AddRef = Static<IClassFactory>,
                                    .Release = Static<IClassFactory>,
                                    .CreateInstance = CreateInstance};
IClassFactory factory{&factoryMethods};

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** out) {
    *out = nullptr;
    return id == CLSID_TaskbarList ? Query(&factory, iid, out) : CLASS_E_CLASSNOTAVAILABLE;
}

#include "ui/win32/accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>
#include <utility>

#include "platform/win32/system_library.h"

namespace zonora {
namespace {

// What is needed of oleacc and oleaut32, looked up when a screen reader first
// asks. Both stay loaded: the objects handed out may outlive any window.
struct Oleacc {
    decltype(&::CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::SysAllocString) allocString = nullptr;

    bool loaded() const { return createStandard && lresultFromObject && allocString; }
};

const Oleacc& oleacc() {
    static const Oleacc functions = [] {
        Oleacc f;
        f.createStandard =
            systemFunction<decltype(f.createStandard)>(L"oleacc.dll", "CreateStdAccessibleObject");
        f.lresultFromObject =
            systemFunction<decltype(f.lresultFromObject)>(L"oleacc.dll", "LresultFromObject");
        f.allocString = systemFunction<decltype(f.allocString)>(L"oleaut32.dll", "SysAllocString");
        return f;
    }();
    return functions;
}

// Handing an object to a screen reader's process goes through COM, which the
// window's thread then stays in.
bool joinedCom() {
    thread_local const bool joined = [] {
        const auto join =
            systemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (!join) return false;
        const HRESULT result = join(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;  // already in, either way
    }();
    return joined;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object for a control, under another name; everything else is
// the system's answer.
class NamedAccessible final : public IAccessible, public IOleWindow {
  public:
    NamedAccessible(IAccessible* standard, HWND control, std::wstring name,
                    decltype(&::SysAllocString) allocString)
        : standard_(standard),
          control_(control),
          name_(std::move(name)),
          allocString_(allocString) {}
    ~NamedAccessible() { standard_->Release(); }
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *object = static_cast<IAccessible*>(this);
        } else if (IsEqualIID(iid, __uuidof(IOleWindow))) {
            *object = static_cast<IOleWindow*>(this);  // which window it stands for
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // Late-bound callers would reach the system's object and its name: none.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = allocString_(name_.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  private:
    IAccessible* standard_;
    HWND control_;
    std::wstring name_;
    decltype(&::SysAllocString) allocString_;
    LONG references_ = 1;
};

// The answer to WM_GETOBJECT(OBJID_CLIENT); 0, and the system answers as
// usual, when oleacc or COM cannot be had.
LRESULT namedObject(HWND control, const std::wstring& name, WPARAM flags) {
    const Oleacc& dll = oleacc();
    if (!dll.loaded() || !joinedCom()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(dll.createStandard(control, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    NamedAccessible* named = nullptr;
    try {
        named = new NamedAccessible(standard, control, name, dll.allocString);
    } catch (const std::bad_alloc&) {
        standard->Release();
        return 0;
    }
    const LRESULT answer =
        dll.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(named));
    named->Release();  // the answer holds its own reference
    return answer > 0 ? answer : 0;
}

LRESULT CALLBACK namedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
    const auto* name = reinterpret_cast<const std::wstring*>(data);
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                if (const LRESULT answer = namedObject(hwnd, *name, wParam)) return answer;
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, namedProc, id);
            delete name;
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void nameForScreenReaders(HWND control, std::wstring name) {
    auto* kept = new std::wstring(std::move(name));
    if (!::SetWindowSubclass(control, namedProc, 0, reinterpret_cast<DWORD_PTR>(kept))) delete kept;
}

}  // namespace zonora

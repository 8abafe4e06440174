/*
 * What a screen reader learns of the chooser's list: the object that the
 * platform makes for a list box (its role, states, selection, children,
 * locations and keys), with names of Runvo's own: the list's says what it
 * is for, and each row's is what the row shows ("1, Notepad, /w"; "4,
 * C:\Tools\old.exe, not found"), where the platform's would be the raw list
 * line or nothing. OLEACC and OLEAUT32 are loaded when a client first asks.
 */
#include "ui/accessible.h"

#include "launch/text.h"
#include "ui/rows.h"

#include <new>
#include <oleacc.h>

/* The list's object: the platform's, but for the names. It hands out
   only interfaces of its own, so that whatever a client asks of it leads
   back to the names: a client without the platform's enumerator of the
   children counts them and asks for each by its number. */
class ListObject : public IAccessible, public IOleWindow
{
  public:
    ListObject(HWND list, IAccessible *standard) : m_refs(1), m_list(list), m_std(standard)
    {
    }

    STDMETHODIMP QueryInterface(REFIID riid, void **out) override
    {
        *out = NULL;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, IID_IAccessible))
            *out = static_cast<IAccessible *>(this);
        else if (IsEqualIID(riid, IID_IOleWindow))
            *out = static_cast<IOleWindow *>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override
    {
        return ++m_refs;
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --m_refs;
        if (left == 0) {
            m_std->Release();
            this->~ListObject();
            HeapFree(GetProcessHeap(), 0, this);
        }
        return left;
    }

    /* IOleWindow: the list's window. */
    STDMETHODIMP GetWindow(HWND *window) override
    {
        *window = m_list;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override
    {
        return E_NOTIMPL;
    }

    /* IDispatch: none of its own. */
    STDMETHODIMP GetTypeInfoCount(UINT *n) override
    {
        return m_std->GetTypeInfoCount(n);
    }
    STDMETHODIMP GetTypeInfo(UINT i, LCID lcid, ITypeInfo **info) override
    {
        return m_std->GetTypeInfo(i, lcid, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT n, LCID lcid,
                               DISPID *ids) override
    {
        return m_std->GetIDsOfNames(riid, names, n, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS *params,
                        VARIANT *result, EXCEPINFO *excep, UINT *arg) override
    {
        return m_std->Invoke(id, riid, lcid, flags, params, result, excep, arg);
    }

    /* The names, and the rows they are of: the list's children (the
       platform's object counts them so too, where it knows a list box's
       rows at all). */
    STDMETHODIMP get_accName(VARIANT child, BSTR *name) override;
    STDMETHODIMP get_accChildCount(LONG *n) override
    {
        *n = (LONG)SendMessageW(m_list, LB_GETCOUNT, 0, 0);
        return S_OK;
    }

    /* The rest, the platform's. */
    STDMETHODIMP get_accParent(IDispatch **p) override
    {
        return m_std->get_accParent(p);
    }
    STDMETHODIMP get_accChild(VARIANT c, IDispatch **p) override
    {
        return m_std->get_accChild(c, p);
    }
    STDMETHODIMP get_accValue(VARIANT c, BSTR *v) override
    {
        return m_std->get_accValue(c, v);
    }
    STDMETHODIMP get_accDescription(VARIANT c, BSTR *d) override
    {
        return m_std->get_accDescription(c, d);
    }
    STDMETHODIMP get_accRole(VARIANT c, VARIANT *r) override
    {
        return m_std->get_accRole(c, r);
    }
    STDMETHODIMP get_accState(VARIANT c, VARIANT *s) override
    {
        return m_std->get_accState(c, s);
    }
    STDMETHODIMP get_accHelp(VARIANT c, BSTR *h) override
    {
        return m_std->get_accHelp(c, h);
    }
    STDMETHODIMP get_accHelpTopic(BSTR *file, VARIANT c, LONG *topic) override
    {
        return m_std->get_accHelpTopic(file, c, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT c, BSTR *k) override
    {
        return m_std->get_accKeyboardShortcut(c, k);
    }
    STDMETHODIMP get_accFocus(VARIANT *c) override
    {
        return m_std->get_accFocus(c);
    }
    STDMETHODIMP get_accSelection(VARIANT *c) override
    {
        return m_std->get_accSelection(c);
    }
    STDMETHODIMP get_accDefaultAction(VARIANT c, BSTR *a) override
    {
        return m_std->get_accDefaultAction(c, a);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT c) override
    {
        return m_std->accSelect(flags, c);
    }
    STDMETHODIMP accLocation(LONG *x, LONG *y, LONG *w, LONG *h, VARIANT c) override
    {
        return m_std->accLocation(x, y, w, h, c);
    }
    STDMETHODIMP accNavigate(LONG dir, VARIANT start, VARIANT *end) override
    {
        return m_std->accNavigate(dir, start, end);
    }
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT *c) override
    {
        return m_std->accHitTest(x, y, c);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT c) override
    {
        return m_std->accDoDefaultAction(c);
    }
    STDMETHODIMP put_accName(VARIANT c, BSTR n) override
    {
        return m_std->put_accName(c, n);
    }
    STDMETHODIMP put_accValue(VARIANT c, BSTR v) override
    {
        return m_std->put_accValue(c, v);
    }

  private:
    ~ListObject() = default; /* Release ends it */
    ULONG m_refs;
    HWND m_list;
    IAccessible *m_std;
};

STDMETHODIMP ListObject::get_accName(VARIANT child, BSTR *name)
{
    WCHAR spoken[SPOKEN_ROW_SIZE];
    *name = NULL;
    if (child.vt != VT_I4)
        return E_INVALIDARG;
    LONG rows = (LONG)SendMessageW(m_list, LB_GETCOUNT, 0, 0);
    if (child.lVal < CHILDID_SELF || child.lVal > rows)
        return E_INVALIDARG;
    TextBuf t;
    if (child.lVal == CHILDID_SELF)
        PutOwnText(OutStart(&t, spoken, SPOKEN_ROW_SIZE), IDS_PROGRAM_LIST);
    else
        SpokenRowName(m_list, (int)child.lVal - 1, spoken, SPOKEN_ROW_SIZE);
    auto allocate = LATE("oleaut32.dll", SysAllocString);
    *name = allocate ? allocate(spoken) : NULL;
    return *name ? S_OK : E_OUTOFMEMORY;
}

bool AnswerGetObject(HWND hList, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    if ((LONG)lParam != OBJID_CLIENT || !ComReady())
        return false;
    auto create = LATE("oleacc.dll", CreateStdAccessibleObject);
    auto answer = LATE("oleacc.dll", LresultFromObject);
    IAccessible *standard = NULL;
    if (!create || !answer ||
        FAILED(create(hList, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void **>(&standard))))
        return false;
    void *memory = HeapAlloc(GetProcessHeap(), 0, sizeof(ListObject));
    if (!memory) {
        standard->Release();
        return false;
    }
    ListObject *object = new (memory) ListObject(hList, standard);
    *result = answer(IID_IAccessible, wParam, static_cast<IAccessible *>(object));
    object->Release(); /* the answer holds it as long as the client needs it */
    return true;
}

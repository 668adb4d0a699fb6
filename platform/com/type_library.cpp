// ITypeLib and ITypeInfo over a parsed type library model.
#include "base/ascii_case.h"
#include "com/com_object.h"
#include "com/type_info.h"
#include "type_library_parser.h"

#include <memory>
#include <new>

const IID IID_ITypeLib = makeGuid("{00020402-0000-0000-C000-000000000046}");
const IID IID_ITypeInfo = makeGuid("{00020401-0000-0000-C000-000000000046}");

namespace {
bool sameName(const OLECHAR *name, const std::string &ascii) {
    return name && equalsIgnoringAsciiCase(std::u16string_view(name), ascii);
}

HRESULT fillString(BSTR *target, const std::string &text) {
    if (!target)
        return S_OK;
    *target = bstrFromUtf8(text);
    return *target ? S_OK : E_OUTOFMEMORY;
}

// Both fill in order and undo the first on failure of the second.
HRESULT fillDocumentation(const std::string &name, const std::string &doc, BSTR *pName,
                          BSTR *pDoc) {
    HRESULT hr = fillString(pName, name);
    if (FAILED(hr))
        return hr;
    hr = fillString(pDoc, doc);
    if (FAILED(hr) && pName) {
        SysFreeString(*pName);
        *pName = nullptr;
    }
    return hr;
}

class TypeLib final : public ComObject<ITypeLib> {
  public:
    explicit TypeLib(TypeLibraryModel model)
        : m_model(std::move(model)) {}

    uint32_t GetTypeInfoCount() override { return static_cast<uint32_t>(m_model.types.size()); }
    HRESULT GetTypeInfo(uint32_t index, ITypeInfo **ppTInfo) override;
    HRESULT GetTypeInfoType(uint32_t index, TYPEKIND *pTKind) override {
        if (!pTKind)
            return E_POINTER;
        if (index >= m_model.types.size())
            return TYPE_E_ELEMENTNOTFOUND;
        *pTKind = m_model.types[index].attr.typekind;
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo **ppTInfo) override {
        if (!ppTInfo)
            return E_POINTER;
        *ppTInfo = nullptr;
        for (uint32_t i = 0; i < m_model.types.size(); ++i) {
            if (m_model.types[i].attr.guid == guid)
                return GetTypeInfo(i, ppTInfo);
        }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetLibAttr(const TLIBATTR **ppTLibAttr) override {
        if (!ppTLibAttr)
            return E_POINTER;
        *ppTLibAttr = &m_model.attr;
        return S_OK;
    }
    HRESULT GetDocumentation(int32_t index, BSTR *pBstrName, BSTR *pBstrDocString) override {
        if (index == -1)
            return fillDocumentation(m_model.name, m_model.docString, pBstrName, pBstrDocString);
        if (index < 0 || static_cast<size_t>(index) >= m_model.types.size())
            return TYPE_E_ELEMENTNOTFOUND;
        const TypeModel &type = m_model.types[static_cast<size_t>(index)];
        return fillDocumentation(type.name, type.docString, pBstrName, pBstrDocString);
    }

    const TypeLibraryModel &model() const { return m_model; }

  private:
    ~TypeLib() override = default;

    const TypeLibraryModel m_model;
};

// One type of a library. It keeps its library alive; the library does not hold its type
// infos, so there is no cycle.
class TypeInfo final : public ComObject<ITypeInfo> {
  public:
    TypeInfo(TypeLib &library, uint32_t index)
        : m_library(&library)
        , m_index(index)
        , m_type(library.model().types[index]) {}

    HRESULT GetTypeAttr(const TYPEATTR **ppTypeAttr) override {
        if (!ppTypeAttr)
            return E_POINTER;
        *ppTypeAttr = &m_type.attr;
        return S_OK;
    }

    HRESULT GetFuncDesc(uint32_t index, const FUNCDESC **ppFuncDesc) override {
        if (!ppFuncDesc)
            return E_POINTER;
        *ppFuncDesc = nullptr;
        if (index >= m_type.funcs.size())
            return TYPE_E_ELEMENTNOTFOUND;
        *ppFuncDesc = &m_type.funcs[index];
        return S_OK;
    }

    HRESULT GetNames(MEMBERID memid, BSTR *rgBstrNames, uint32_t maxNames,
                     uint32_t *pcNames) override {
        if (!rgBstrNames || !pcNames)
            return E_POINTER;
        *pcNames = 0;
        const FUNCDESC *func = find(memid);
        if (!func)
            return TYPE_E_ELEMENTNOTFOUND;
        std::vector<const std::string *> names{&func->name};
        for (const PARAMDESC &param : func->params)
            names.push_back(&param.name);
        for (uint32_t i = 0; i < maxNames && i < names.size(); ++i) {
            rgBstrNames[i] = bstrFromUtf8(*names[i]);
            if (!rgBstrNames[i]) {
                for (uint32_t j = 0; j < i; ++j)
                    SysFreeString(rgBstrNames[j]);
                return E_OUTOFMEMORY;
            }
            *pcNames = i + 1;
        }
        return S_OK;
    }

    HRESULT GetIDsOfNames(const OLECHAR *const *names, uint32_t cNames, MEMBERID *pMemId) override {
        if (!names || !pMemId)
            return E_POINTER;
        if (cNames == 0)
            return E_INVALIDARG;
        for (uint32_t i = 0; i < cNames; ++i)
            pMemId[i] = DISPID_UNKNOWN;
        const FUNCDESC *func = nullptr;
        for (const FUNCDESC &candidate : m_type.funcs) {
            if (sameName(names[0], candidate.name))
                func = &candidate;
        }
        if (!func)
            return DISP_E_UNKNOWNNAME;
        pMemId[0] = func->memid;
        HRESULT hr = S_OK;
        for (uint32_t i = 1; i < cNames; ++i) {
            for (size_t p = 0; p < func->params.size(); ++p) {
                if (sameName(names[i], func->params[p].name))
                    pMemId[i] = static_cast<MEMBERID>(p);
            }
            if (pMemId[i] == DISPID_UNKNOWN)
                hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }

    HRESULT GetDocumentation(MEMBERID memid, BSTR *pBstrName, BSTR *pBstrDocString) override {
        if (memid == MEMBERID_NIL)
            return fillDocumentation(m_type.name, m_type.docString, pBstrName, pBstrDocString);
        const FUNCDESC *func = find(memid);
        if (!func)
            return TYPE_E_ELEMENTNOTFOUND;
        return fillDocumentation(func->name, func->docString, pBstrName, pBstrDocString);
    }

    HRESULT GetRefTypeOfImplType(uint32_t index, HREFTYPE *pRefType) override {
        if (!pRefType)
            return E_POINTER;
        if (index >= m_type.implemented.size())
            return TYPE_E_ELEMENTNOTFOUND;
        *pRefType = m_type.implemented[index].typeIndex;
        return S_OK;
    }

    HRESULT GetImplTypeFlags(uint32_t index, int32_t *pImplTypeFlags) override {
        if (!pImplTypeFlags)
            return E_POINTER;
        if (index >= m_type.implemented.size())
            return TYPE_E_ELEMENTNOTFOUND;
        *pImplTypeFlags = m_type.implemented[index].flags;
        return S_OK;
    }

    HRESULT GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo **ppTInfo) override {
        return m_library->GetTypeInfo(hRefType, ppTInfo);
    }

    HRESULT GetContainingTypeLib(ITypeLib **ppTLib, uint32_t *pIndex) override {
        if (!ppTLib)
            return E_POINTER;
        m_library->AddRef();
        *ppTLib = m_library.get();
        if (pIndex)
            *pIndex = m_index;
        return S_OK;
    }

  private:
    ~TypeInfo() override = default;

    const FUNCDESC *find(MEMBERID memid) const {
        for (const FUNCDESC &func : m_type.funcs) {
            if (func.memid == memid)
                return &func;
        }
        return nullptr;
    }

    ComPtr<TypeLib> m_library;
    uint32_t m_index;
    const TypeModel &m_type;
};

HRESULT TypeLib::GetTypeInfo(uint32_t index, ITypeInfo **ppTInfo) {
    if (!ppTInfo)
        return E_POINTER;
    *ppTInfo = nullptr;
    if (index >= m_model.types.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *ppTInfo = new (std::nothrow) TypeInfo(*this, index);
    return *ppTInfo ? S_OK : E_OUTOFMEMORY;
}
} // namespace

HRESULT LoadTypeLibFromText(std::string_view text, ITypeLib **ppTLib, std::string *error) {
    if (!ppTLib)
        return E_POINTER;
    *ppTLib = nullptr;
    return catchOutOfMemory([&] {
        TypeLibraryModel model;
        std::string message;
        const HRESULT hr = parseTypeLibrary(text, model, message);
        if (FAILED(hr)) {
            if (error)
                *error = message;
            return hr;
        }
        *ppTLib = new TypeLib(std::move(model));
        return S_OK;
    });
}

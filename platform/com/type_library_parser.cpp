// Recursive-descent reader of type library text. Errors are thrown inside the parser only
// and turned into an HRESULT at its one entry point.
#include "type_library_parser.h"

#include "base/ascii_case.h"
#include "base/hex_digit.h"

#include <algorithm>
#include <limits>
#include <map>
#include <new>
#include <set>

namespace {
struct ParseError {
    size_t line;
    std::string message;
};

struct Attribute {
    std::string name;
    std::string text;   // uuid, helpstring
    int64_t number = 0; // id, lcid, major version
    int64_t minor = 0;  // minor version
    size_t line = 0;
};

using Attributes = std::map<std::string, Attribute>;

bool isIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct TypeName {
    const char *word;
    VARTYPE vt;
    bool needsPointer; // interface types are always written as pointers
};

constexpr TypeName kTypes[] = {
    {"void", VT_VOID, false},         {"short", VT_I2, false},
    {"long", VT_I4, false},           {"float", VT_R4, false},
    {"double", VT_R8, false},         {"VARIANT_BOOL", VT_BOOL, false},
    {"BSTR", VT_BSTR, false},         {"VARIANT", VT_VARIANT, false},
    {"IDispatch", VT_DISPATCH, true}, {"IUnknown", VT_UNKNOWN, true},
};

class Parser {
  public:
    explicit Parser(std::string_view text)
        : m_text(text) {}

    TypeLibraryModel library() {
        TypeLibraryModel model{};
        const Attributes attrs =
            attributes({"uuid", "version", "lcid", "helpstring", "control", "hidden"});
        const size_t line = m_line;
        keyword("library");
        model.name = identifier("library name");
        model.attr.guid = guidOf(required(attrs, "uuid", line));
        const Attribute &version = required(attrs, "version", line);
        model.attr.wMajorVerNum = static_cast<uint16_t>(version.number);
        model.attr.wMinorVerNum = static_cast<uint16_t>(version.minor);
        model.attr.lcid = attrs.count("lcid") ? static_cast<LCID>(attrs.at("lcid").number) : 0;
        model.attr.syskind = SYS_LINUX;
        model.attr.wLibFlags =
            static_cast<uint16_t>((attrs.count("control") ? LIBFLAG_FCONTROL : 0) |
                                  (attrs.count("hidden") ? LIBFLAG_FHIDDEN : 0));
        model.docString = attrs.count("helpstring") ? attrs.at("helpstring").text : "";
        m_uuids.insert(model.attr.guid);
        expect('{');
        while (!accept('}'))
            type(model);
        accept(';');
        skipBlanks();
        if (m_pos != m_text.size())
            fail("unexpected text after the library");
        return model;
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw ParseError{m_line, std::move(message)};
    }

    void skipBlanks() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++m_pos;
            } else if (m_text.substr(m_pos, 2) == "//") {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
            } else if (m_text.substr(m_pos, 2) == "/*") {
                const size_t end = m_text.find("*/", m_pos + 2);
                if (end == std::string_view::npos)
                    fail("unterminated comment");
                m_line += static_cast<size_t>(
                    std::count(m_text.begin() + static_cast<ptrdiff_t>(m_pos),
                               m_text.begin() + static_cast<ptrdiff_t>(end), '\n'));
                m_pos = end + 2;
            } else {
                return;
            }
        }
    }

    bool peek(char c) {
        skipBlanks();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }

    bool accept(char c) {
        if (!peek(c))
            return false;
        ++m_pos;
        return true;
    }

    void expect(char c) {
        if (!accept(c))
            fail(std::string("expected '") + c + "'" + found());
    }

    std::string found() {
        skipBlanks();
        if (m_pos >= m_text.size())
            return " at the end of the text";
        return " before '" + std::string(m_text.substr(m_pos, 12)) + "'";
    }

    std::string identifier(const char *what) {
        skipBlanks();
        if (m_pos >= m_text.size() || !isIdentifierStart(m_text[m_pos]))
            fail(std::string("expected ") + what + found());
        const size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (isIdentifierStart(m_text[m_pos]) || isDigit(m_text[m_pos])))
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }

    bool peekWord(std::string_view word) {
        skipBlanks();
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        const size_t after = m_pos + word.size();
        return after >= m_text.size() ||
               !(isIdentifierStart(m_text[after]) || isDigit(m_text[after]));
    }

    void keyword(std::string_view word) {
        if (!peekWord(word))
            fail("expected '" + std::string(word) + "'" + found());
        m_pos += word.size();
    }

    int64_t integer() {
        skipBlanks();
        const bool negative = m_pos < m_text.size() && m_text[m_pos] == '-';
        if (negative)
            ++m_pos;
        int base = 10;
        if (m_text.substr(m_pos, 2) == "0x" || m_text.substr(m_pos, 2) == "0X") {
            base = 16;
            m_pos += 2;
        }
        int64_t value = 0;
        size_t digits = 0;
        for (; m_pos < m_text.size(); ++m_pos, ++digits) {
            const int digit = hexDigitValue(m_text[m_pos]);
            if (digit < 0 || digit >= base)
                break;
            value = value * base + digit;
            if (value > std::numeric_limits<uint32_t>::max())
                fail("number out of range");
        }
        if (digits == 0)
            fail("expected a number" + found());
        return negative ? -value : value;
    }

    std::string stringLiteral() {
        expect('"');
        std::string text;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            char c = m_text[m_pos++];
            if (c == '\n')
                fail("line break inside a string");
            if (c == '\\') {
                if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\\'))
                    fail("unknown escape in a string");
                c = m_text[m_pos++];
            }
            text.push_back(c);
        }
        if (m_pos >= m_text.size())
            fail("unterminated string");
        ++m_pos;
        return text;
    }

    std::string uuidText() {
        skipBlanks();
        const size_t end = m_text.find(')', m_pos);
        if (end == std::string_view::npos)
            fail("unterminated uuid");
        std::string text(m_text.substr(m_pos, end - m_pos));
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.pop_back();
        if (!guidFromString("{" + text + "}"))
            fail("malformed uuid '" + text + "'");
        m_pos = end;
        return text;
    }

    static GUID guidOf(const Attribute &uuid) { return *guidFromString("{" + uuid.text + "}"); }

    const Attribute &required(const Attributes &attrs, const std::string &name, size_t line) const {
        const auto found = attrs.find(name);
        if (found == attrs.end())
            throw ParseError{line, "missing " + name + " attribute"};
        return found->second;
    }

    Attribute attribute() {
        Attribute attr;
        attr.line = m_line;
        attr.name = identifier("an attribute");
        const std::string &name = attr.name;
        if (name == "uuid" || name == "version" || name == "lcid" || name == "helpstring" ||
            name == "id") {
            expect('(');
            if (name == "uuid") {
                attr.text = uuidText();
            } else if (name == "helpstring") {
                attr.text = stringLiteral();
            } else if (name == "version") {
                attr.number = integer();
                expect('.');
                attr.minor = integer();
                if (attr.number < 0 || attr.number > 0xFFFF || attr.minor < 0 ||
                    attr.minor > 0xFFFF)
                    fail("version out of range");
            } else {
                attr.number = integer();
                const int64_t lowest = name == "id" ? std::numeric_limits<int32_t>::min() : 0;
                const int64_t highest = name == "id" ? std::numeric_limits<int32_t>::max()
                                                     : std::numeric_limits<uint32_t>::max();
                if (attr.number < lowest || attr.number > highest)
                    fail(name + " out of range");
            }
            expect(')');
        }
        return attr;
    }

    Attributes attributes(std::initializer_list<std::string_view> allowed) {
        Attributes attrs;
        expect('[');
        do {
            Attribute attr = attribute();
            if (std::find(allowed.begin(), allowed.end(), attr.name) == allowed.end())
                fail("attribute '" + attr.name + "' not allowed here");
            if (attrs.count(attr.name))
                fail("attribute '" + attr.name + "' given twice");
            attrs.emplace(attr.name, std::move(attr));
        } while (accept(','));
        expect(']');
        return attrs;
    }

    VARTYPE typeName(bool allowVoid) {
        const std::string word = identifier("a type");
        const auto known = std::find_if(std::begin(kTypes), std::end(kTypes),
                                        [&](const TypeName &t) { return word == t.word; });
        if (known == std::end(kTypes))
            fail("unknown type '" + word + "'");
        if (known->needsPointer)
            expect('*');
        VARTYPE vt = known->vt;
        if (accept('*'))
            vt = static_cast<VARTYPE>(vt | VT_BYREF);
        if (vt == VT_VOID && !allowVoid)
            fail("a parameter cannot be void");
        if ((vt & VT_TYPEMASK) == VT_VOID && vt != VT_VOID)
            fail("void cannot be passed by reference");
        return vt;
    }

    void claimName(std::set<std::string> &names, const std::string &name, const char *what) {
        if (!names.insert(asciiLowered(name)).second)
            fail(std::string(what) + " '" + name + "' defined twice");
    }

    void claimUuid(const GUID &guid) {
        if (!m_uuids.insert(guid).second)
            fail("uuid " + guidToString(guid) + " used twice");
    }

    void type(TypeLibraryModel &model) {
        if (model.types.size() >= 0xFFFF)
            fail("too many types");
        const Attributes attrs =
            attributes({"uuid", "helpstring", "hidden", "control", "noncreatable"});
        const size_t line = m_line;
        TypeModel type{};
        type.attr.lcid = model.attr.lcid;
        if (peekWord("dispinterface")) {
            keyword("dispinterface");
            type.attr.typekind = TKIND_DISPATCH;
            if (attrs.count("control") || attrs.count("noncreatable"))
                fail("attribute not allowed on a dispinterface");
        } else {
            keyword("coclass");
            type.attr.typekind = TKIND_COCLASS;
        }
        type.name = identifier("a type name");
        claimName(m_typeNames, type.name, "type");
        type.attr.guid = guidOf(required(attrs, "uuid", line));
        claimUuid(type.attr.guid);
        type.docString = attrs.count("helpstring") ? attrs.at("helpstring").text : "";
        uint16_t flags = attrs.count("hidden") ? TYPEFLAG_FHIDDEN : 0;
        if (type.attr.typekind == TKIND_DISPATCH) {
            flags |= TYPEFLAG_FDISPATCHABLE;
            dispinterfaceBody(type);
        } else {
            if (attrs.count("control"))
                flags |= TYPEFLAG_FCONTROL;
            if (!attrs.count("noncreatable"))
                flags |= TYPEFLAG_FCANCREATE;
            coclassBody(model, type);
        }
        type.attr.wTypeFlags = flags;
        accept(';');
        model.types.push_back(std::move(type));
    }

    void dispinterfaceBody(TypeModel &type) {
        expect('{');
        if (peekWord("properties")) {
            keyword("properties");
            expect(':');
        }
        if (peekWord("methods")) {
            keyword("methods");
            expect(':');
            std::set<std::string> names;
            std::set<DISPID> ids;
            while (peek('[')) {
                if (type.funcs.size() >= 0xFFFF)
                    fail("too many methods");
                type.funcs.push_back(method(names, ids));
            }
        }
        expect('}');
        type.attr.cFuncs = static_cast<uint16_t>(type.funcs.size());
    }

    FUNCDESC method(std::set<std::string> &names, std::set<DISPID> &ids) {
        const size_t line = m_line;
        const Attributes attrs = attributes({"id", "helpstring", "hidden"});
        FUNCDESC func{};
        func.memid = static_cast<DISPID>(required(attrs, "id", line).number);
        if (!ids.insert(func.memid).second)
            fail("id(" + std::to_string(func.memid) + ") used twice");
        func.invkind = INVOKE_FUNC;
        func.wFuncFlags = attrs.count("hidden") ? FUNCFLAG_FHIDDEN : 0;
        func.docString = attrs.count("helpstring") ? attrs.at("helpstring").text : "";
        func.vtReturn = typeName(true);
        func.name = identifier("a method name");
        claimName(names, func.name, "method");
        expect('(');
        std::set<std::string> paramNames;
        if (!accept(')')) {
            do {
                PARAMDESC param;
                param.vt = typeName(false);
                param.name = identifier("a parameter name");
                claimName(paramNames, param.name, "parameter");
                func.params.push_back(std::move(param));
            } while (accept(','));
            expect(')');
        }
        expect(';');
        return func;
    }

    void coclassBody(const TypeLibraryModel &model, TypeModel &type) {
        expect('{');
        while (!accept('}')) {
            int32_t flags = 0;
            if (peek('[')) {
                const Attributes attrs = attributes({"default", "source"});
                flags = (attrs.count("default") ? IMPLTYPEFLAG_FDEFAULT : 0) |
                        (attrs.count("source") ? IMPLTYPEFLAG_FSOURCE : 0);
            }
            keyword("dispinterface");
            const std::string name = identifier("an interface name");
            expect(';');
            const auto found =
                std::find_if(model.types.begin(), model.types.end(), [&](const TypeModel &t) {
                    return t.attr.typekind == TKIND_DISPATCH &&
                           equalsIgnoringAsciiCase(t.name, name);
                });
            if (found == model.types.end())
                fail("unknown dispinterface '" + name + "'");
            const auto index = static_cast<uint32_t>(found - model.types.begin());
            for (const ImplementedType &other : type.implemented) {
                if (other.typeIndex == index)
                    fail("dispinterface '" + name + "' listed twice");
                if ((flags & IMPLTYPEFLAG_FDEFAULT) && other.flags == flags)
                    fail("two default interfaces of the same direction");
            }
            type.implemented.push_back({index, flags});
        }
        if (type.implemented.size() > 0xFFFF)
            fail("too many interfaces");
        type.attr.cImplTypes = static_cast<uint16_t>(type.implemented.size());
    }

    std::string_view m_text;
    size_t m_pos = 0;
    size_t m_line = 1;
    std::set<std::string> m_typeNames;
    std::set<GUID> m_uuids;
};
} // namespace

HRESULT parseTypeLibrary(std::string_view text, TypeLibraryModel &out, std::string &error) {
    try {
        out = Parser(text).library();
        return S_OK;
    } catch (const ParseError &e) {
        error = "line " + std::to_string(e.line) + ": " + e.message;
        return TYPE_E_INVDATAREAD;
    } catch (const std::bad_alloc &) {
        error = "out of memory";
        return E_OUTOFMEMORY;
    }
}

std::string typeLibraryTypeText(VARTYPE vt) {
    const bool byReference = (vt & VT_BYREF) != 0;
    const VARTYPE base = static_cast<VARTYPE>(vt & ~VT_BYREF);
    for (const TypeName &type : kTypes) {
        if (type.vt == base)
            return std::string(type.word) + (type.needsPointer ? "*" : "") +
                   (byReference ? "*" : "");
    }
    return {};
}

#include "documents/xml_file.hpp"

#include <climits>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <utility>

#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"
#include "documents/text_encoding.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

// Whitespace-only text is kept when it is an element's only content, so that a text of blanks
// reads back as written while the indentation between elements is dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool IsTextNode(const XmlNode& n) {
    return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

bool IsIgnorable(const XmlNode& n) {
    return n.type() == pugi::node_comment || n.type() == pugi::node_pi;
}

// The text of an element that holds nothing or a single text (comments aside); false when it
// holds child elements or several texts.
bool SimpleText(const XmlNode& element, std::string& text) {
    XmlNode found;
    for (XmlNode n : element.children()) {
        if (IsIgnorable(n)) continue;
        if (!IsTextNode(n) || found) return false;
        found = n;
    }
    text = found ? found.value() : "";
    return true;
}

bool SetSimpleText(XmlNode element, const std::string& text) {
    if (element.type() != pugi::node_element) return false;
    for (XmlNode n : element.children())
        if (!IsIgnorable(n) && !IsTextNode(n)) return false;
    for (XmlNode n = element.first_child(); n;) {
        XmlNode next = n.next_sibling();
        if (IsTextNode(n)) element.remove_child(n);
        n = next;
    }
    if (text.empty()) return true;
    // A document declares UTF-8: a text from elsewhere (a setting, the environment) that is
    // not UTF-8 enters it read as Windows-1252.
    return element.append_child(pugi::node_pcdata).set_value(AsUtf8(text).c_str());
}

// Blank text kept as an element's only content is layout, not a value, once the element gets
// child elements; dropping it keeps the saved indentation regular.
void DropBlankText(XmlNode parent) {
    XmlNode only = parent.first_child();
    if (!only || only != parent.last_child() || only.type() != pugi::node_pcdata) return;
    for (const char* p = only.value(); *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') return;
    parent.remove_child(only);
}

XmlNode AppendElement(XmlNode parent, const std::string& name) {
    DropBlankText(parent);
    return parent.append_child(name.c_str());
}

// --- Single-byte files ---------------------------------------------------------------------
// Files written by earlier versions hold Windows-1252 text; they are converted to UTF-8 before
// parsing so their symbols (°, ², µ) survive.

// The encoding named in the XML declaration, or empty.
std::string DeclaredEncoding(const std::string& s) {
    if (s.compare(0, 5, "<?xml") != 0) return {};
    size_t end = s.find("?>");
    if (end == std::string::npos) return {};
    std::string decl = s.substr(0, end);
    size_t at = decl.find("encoding");
    if (at == std::string::npos) return {};
    size_t q = decl.find_first_of("\"'", at);
    if (q == std::string::npos) return {};
    size_t q2 = decl.find(decl[q], q + 1);
    if (q2 == std::string::npos) return {};
    return decl.substr(q + 1, q2 - q - 1);
}

// True for byte content in Windows-1252: declared so, or not UTF-8 at all. UTF-16 and UTF-32
// (a byte-order mark or zero bytes up front) are left to the parser.
bool IsSingleByteText(const std::string& s) {
    for (size_t i = 0; i < s.size() && i < 4; ++i)
        if (s[i] == '\0' || static_cast<unsigned char>(s[i]) >= 0xFE) return false;
    std::string enc = DeclaredEncoding(s);
    if (SameText(enc, "windows-1252") || SameText(enc, "cp1252")) return true;
    return !IsValidUtf8(s);
}

}  // namespace

// --- Creation and document level -------------------------------------------------------------

TXMLFile::TXMLFile(std::string fileName)
    : FileName(std::move(fileName)), Document(std::make_unique<pugi::xml_document>()) {
    if (FileName.empty()) return;
    std::error_code ec;
    if (!std::filesystem::exists(FileName, ec)) return;
    std::string content;
    if (!ReadWholeFile(FileName, content)) {
        ReadStatus = rsNotXml;
        ErrorMessage = "Error reading file " + FileName;
        return;
    }
    Load(content);
}

TXMLFile::TXMLFile(std::string fileName, int mode, XmlNode& root) : TXMLFile(std::move(fileName)) {
    root = ReadStatus == rsOk ? DocumentElement() : XmlNode();
    if (mode == 1) {
        Clear();
        // The element went with the document; a handle to it must not outlive it.
        root = XmlNode();
    }
}

TXMLFile::~TXMLFile() = default;
TXMLFile::TXMLFile(TXMLFile&&) noexcept = default;
TXMLFile& TXMLFile::operator=(TXMLFile&&) noexcept = default;

void TXMLFile::Load(const std::string& content) {
    Document->reset();
    ReadStatus = rsOk;
    ErrorMessage.clear();
    pugi::xml_parse_result result;
    if (IsSingleByteText(content)) {
        std::string utf8 = Cp1252ToUtf8(content);
        result = Document->load_buffer(utf8.data(), utf8.size(), kParseOptions,
                                       pugi::encoding_utf8);
    } else {
        result = Document->load_buffer(content.data(), content.size(), kParseOptions,
                                       pugi::encoding_auto);
    }
    if (result) {
        // The parser takes several top-level elements; a well-formed document has one.
        int elements = 0;
        for (XmlNode n : Document->children())
            if (n.type() == pugi::node_element) ++elements;
        if (elements <= 1) return;
        ErrorMessage = "Only one top level element is allowed";
    } else {
        ErrorMessage = result.description();
    }
    ReadStatus = rsNotXml;
    Document->reset();
}

void TXMLFile::LoadFromString(const std::string& text) { Load(text); }

std::string TXMLFile::SaveToString() const {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Document->save(out, "  ", pugi::format_indent | pugi::format_no_declaration,
                   pugi::encoding_utf8);
    return out.str();
}

XmlNode TXMLFile::DocumentElement() const { return Document->document_element(); }

bool TXMLFile::IsDocument(const std::string& rootName, const std::string& programName,
                          const std::string& version) {
    ReadStatus = rsOk;
    XmlNode root = DocumentElement();
    if (!root) {
        ReadStatus = rsNotXml;
        return false;
    }
    if (!SameText(root.name(), rootName)) return false;
    if (!programName.empty() && !SameText(root.attribute("program").value(), programName))
        return false;
    if (!version.empty() && !SameText(root.attribute("version").value(), version)) return false;
    return true;
}

XmlNode TXMLFile::NewDocument(const std::string& rootName, const std::string& programName,
                              const std::string& version) {
    Document->reset();
    XmlNode root = Document->append_child(rootName.c_str());
    SetAttr(root, "program", programName);
    SetAttr(root, "generator", "Calorix Software");
    SetAttr(root, "version", version);
    return root;
}

void TXMLFile::Clear() { Document->reset(); }

bool TXMLFile::Save() {
    if (FileName.empty()) {
        ShowMessage("File name not known");
        return false;
    }
    std::string why;
    if (!WriteFileAtomically(FileName, SaveToString(), &why)) {
        ErrorMessage = why;
        return false;
    }
    return true;
}

// --- Navigation ------------------------------------------------------------------------------

XmlNode TXMLFile::FindChild(XmlNode parent, const std::string& name, int index, bool create) {
    if (!parent) return {};
    for (XmlNode n = parent.child(name.c_str()); n; n = n.next_sibling(name.c_str()))
        if (n.type() == pugi::node_element) return n;
    if (!create) return {};
    if (index >= 0) {
        DropBlankText(parent);
        XmlNode at = parent.first_child();
        for (int i = 0; at && i < index; ++i) at = at.next_sibling();
        if (at) return parent.insert_child_before(name.c_str(), at);
    }
    return AppendElement(parent, name);
}

XmlNode TXMLFile::FindPath(XmlNode start, const std::vector<std::string>& names, bool create) {
    if (names.empty()) return {};
    XmlNode node = start;
    size_t i = 0;
    if (!node) {
        XmlNode root = DocumentElement();
        if (root && SameText(root.name(), names[0])) node = root;
        else if (!create) return {};
        // A document holds one element: a path under another root cannot be made.
        else if (root) return {};
        else node = Document->append_child(names[0].c_str());
        i = 1;
    }
    for (; node && i < names.size(); ++i) node = FindChild(node, names[i], -1, create);
    return node;
}

XmlNode TXMLFile::AddChild(XmlNode parent, const std::string& name) {
    if (!parent) return {};
    return AppendElement(parent, name);
}

XmlNode TXMLFile::FindKeyedChild(XmlNode parent, const std::string& name, bool create,
                                 const std::string& keyValue, const std::string& keyName) {
    if (!parent) return {};
    for (XmlNode child : parent.children()) {
        if (child.type() != pugi::node_element || !SameText(child.name(), name)) continue;
        XmlNode key = FindChild(child, keyName);
        std::string text;
        if (key && SimpleText(key, text) && SameText(text, keyValue)) return child;
    }
    if (!create) return {};
    XmlNode node = AppendElement(parent, name);
    if (node) SetSimpleText(node.append_child(keyName.c_str()), keyValue);
    return node;
}

std::vector<XmlNode> TXMLFile::GetChildren(XmlNode parent, const std::string& name) const {
    std::vector<XmlNode> result;
    for (XmlNode child : parent.children())
        if (child.type() == pugi::node_element && SameText(child.name(), name))
            result.push_back(child);
    return result;
}

// --- Reading ---------------------------------------------------------------------------------

std::string TXMLFile::ReadText(XmlNode parent, const std::string& name,
                               const std::string& defaultValue) {
    ReadStatus = rsOk;
    if (!parent) {
        ReadStatus = rsNullParent;
        return defaultValue;
    }
    XmlNode child = FindChild(parent, name);
    if (!child) {
        ReadStatus = rsMissing;
        return defaultValue;
    }
    std::string text;
    if (!SimpleText(child, text)) {
        ReadStatus = rsNotText;
        return defaultValue;
    }
    return text;
}

double TXMLFile::ReadFloat(XmlNode parent, const std::string& name, double defaultValue) {
    // A missing value reads the default through its text, as a stored one would be read.
    std::string text = ReadText(parent, name, FloatToStr(defaultValue));
    double value = 0;
    if (!TryStrToFloat(text, value)) {
        ReadStatus = rsConvert;
        return defaultValue;
    }
    return value;
}

int TXMLFile::ReadInt(XmlNode parent, const std::string& name, int defaultValue) {
    std::string text = ReadText(parent, name, std::to_string(defaultValue));
    long long value = 0;
    if (!TryStrToInt(text, value) || value < INT_MIN || value > INT_MAX) {
        ReadStatus = rsConvert;
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool TXMLFile::ReadBool(XmlNode parent, const std::string& name, bool defaultValue) {
    std::string text = ReadText(parent, name, "");
    if (SameText(text, "true") || SameText(text, "T") || SameText(text, "Yes")) return true;
    if (SameText(text, "false") || SameText(text, "F") || SameText(text, "No")) return false;
    return defaultValue;
}

void TXMLFile::ReadTextList(XmlNode parent, const std::string& name,
                            std::vector<std::string>& list, const std::string& keyName) {
    list.clear();
    ReadStatus = rsOk;
    // Only elements count: the list is made of child elements.
    if (!parent || !parent.find_child([](XmlNode n) { return n.type() == pugi::node_element; })) {
        ReadStatus = rsMissing;
        return;
    }
    for (XmlNode child : GetChildren(parent, name)) {
        XmlNode key = FindChild(child, keyName);
        if (!key) continue;
        std::string text;
        if (!SimpleText(key, text)) {
            list.clear();
            ReadStatus = rsConvert;
            return;
        }
        list.push_back(std::move(text));
    }
}

std::vector<std::string> TXMLFile::ReadTextList(XmlNode parent, const std::string& name,
                                                const std::string& keyName) {
    std::vector<std::string> list;
    ReadTextList(parent, name, list, keyName);
    return list;
}

std::string TXMLFile::ReadAttr(XmlNode node, const std::string& name,
                               const std::string& defaultValue) {
    ReadStatus = rsOk;
    // No element to look at is not a missing attribute: the default comes back unremarked.
    if (!node) return defaultValue;
    pugi::xml_attribute attr = node.attribute(name.c_str());
    if (!attr || *attr.value() == '\0') {
        ReadStatus = rsAttrMissing;
        return defaultValue;
    }
    return attr.value();
}

double TXMLFile::ReadAttrFloat(XmlNode node, const std::string& name, double defaultValue) {
    std::string text = ReadAttr(node, name, FloatToStr(defaultValue));
    double value = 0;
    if (!TryStrToFloat(text, value)) {
        ReadStatus = rsConvert;
        return defaultValue;
    }
    return value;
}

int TXMLFile::ReadAttrInt(XmlNode node, const std::string& name, int defaultValue) {
    std::string text = ReadAttr(node, name, std::to_string(defaultValue));
    long long value = 0;
    if (!TryStrToInt(text, value) || value < INT_MIN || value > INT_MAX) {
        ReadStatus = rsConvert;
        return defaultValue;
    }
    return static_cast<int>(value);
}

std::string TXMLFile::ReadPathAttr(XmlNode start, const std::vector<std::string>& names,
                                   const std::string& defaultValue, const std::string& attrName) {
    return ReadAttr(FindPath(start, names, false), attrName, defaultValue);
}

// --- Writing ---------------------------------------------------------------------------------

XmlNode TXMLFile::WriteText(XmlNode parent, const std::string& name, bool reuse,
                            const std::string& text) {
    WriteStatus = wsOk;
    if (!parent) {
        WriteStatus = wsNullParent;
        return {};
    }
    XmlNode node = reuse ? FindChild(parent, name, -1, true) : AddChild(parent, name);
    if (!node || !SetSimpleText(node, text)) WriteStatus = wsTextFailed;
    return node;
}

XmlNode TXMLFile::WriteFloat(XmlNode parent, const std::string& name, bool reuse,
                             const std::string& formatStr, double value) {
    return WriteText(parent, name, reuse, Format(formatStr, value));
}

XmlNode TXMLFile::WriteInt(XmlNode parent, const std::string& name, bool reuse,
                           long long value) {
    return WriteText(parent, name, reuse, Format("%d", value));
}

XmlNode TXMLFile::WriteBool(XmlNode parent, const std::string& name, bool reuse, bool value) {
    return WriteText(parent, name, reuse, value ? "true" : "false");
}

void TXMLFile::SetAttr(XmlNode node, const std::string& name, const std::string& value) {
    if (!node) return;
    pugi::xml_attribute attr = node.attribute(name.c_str());
    if (!attr) attr = node.append_attribute(name.c_str());
    if (attr) attr.set_value(AsUtf8(value).c_str());
}

}  // namespace qdx

#pragma once
// The XML document behind every persistent object: project files, the coil-maker catalogue,
// the geometry, liquid and file-property elements. Values are the texts of child elements
// named after the value; a few keys and the data-file header are attributes.
//
// Reads never throw on missing or bad content: they hand back the caller's default and leave
// the reason in ReadStatus. Writes record theirs in WriteStatus.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace qdx {

// An element of a TXMLFile's document; a default-constructed node is the null node. Handles stay
// valid while the document lives and the element is not removed, emptied or reloaded.
using XmlNode = pugi::xml_node;

class TXMLFile {
public:
    // ReadStatus values.
    static constexpr std::uint8_t rsOk = 0;
    static constexpr std::uint8_t rsNotXml = 1;         // load failed, or no document element
    static constexpr std::uint8_t rsMissing = 2;        // no such child (list: no children at all)
    static constexpr std::uint8_t rsConvert = 3;        // text did not convert; default returned
    static constexpr std::uint8_t rsNullParent = 4;     // the parent element is null
    static constexpr std::uint8_t rsNotText = 5;        // the element holds more than a text
    static constexpr std::uint8_t rsAttrMissing = 6;    // attribute missing or empty
    // WriteStatus values.
    static constexpr std::uint8_t wsOk = 0;
    static constexpr std::uint8_t wsTextFailed = 1;
    static constexpr std::uint8_t wsNullParent = 2;

    // Opens fileName when it exists. A missing file (or an empty name) is not an error: the
    // document starts empty with ReadStatus 0. A file that is not well-formed XML gives
    // ReadStatus 1, the parser's message in ErrorMessage and an empty document.
    explicit TXMLFile(std::string fileName = {});
    // As above; then, when the file loaded, root is the document element (null when there is
    // none). Mode 0 opens for reading; mode 1 empties the document afterwards, for a caller
    // that rebuilds it with NewDocument and saves; root is then null.
    TXMLFile(std::string fileName, int mode, XmlNode& root);
    ~TXMLFile();

    TXMLFile(const TXMLFile&) = delete;
    TXMLFile& operator=(const TXMLFile&) = delete;
    TXMLFile(TXMLFile&&) noexcept;
    TXMLFile& operator=(TXMLFile&&) noexcept;

    std::string FileName;
    // Outcome of the latest open or read; see the rs constants.
    std::uint8_t ReadStatus = rsOk;
    // Outcome of the latest element write; see the ws constants.
    std::uint8_t WriteStatus = wsOk;
    // Why loading (or the latest Save) failed.
    std::string ErrorMessage;

    // --- Document level ---

    // Replaces the document by the XML in text, with the same statuses as opening a file.
    void LoadFromString(const std::string& text);
    // The whole document as indented UTF-8 with an XML declaration, as Save writes it.
    std::string SaveToString() const;

    // The document element, or null.
    XmlNode DocumentElement() const;
    // True when the document element is named rootName and, when given, carries the attributes
    // "program" = programName and "version" = version (all ignoring case). No document element
    // gives ReadStatus 1.
    bool IsDocument(const std::string& rootName, const std::string& programName,
                    const std::string& version);
    // Empties the document and starts it with the data-file header: the element rootName with
    // "program", "generator" = "Calorix Software" and "version". Returns that element.
    XmlNode NewDocument(const std::string& rootName, const std::string& programName,
                        const std::string& version);
    // Empties the document.
    void Clear();
    // Writes the document to FileName, replacing the old file only once the new one is
    // complete. An empty FileName shows "File name not known" and writes nothing. False when
    // nothing was written; a file-system failure leaves its reason in ErrorMessage.
    bool Save();

    // --- Navigation ---

    // The child element name of parent (exact name), or null. When it is missing and create is
    // true it is added at child position index (-1, or past the end, appends).
    XmlNode FindChild(XmlNode parent, const std::string& name, int index = -1,
                      bool create = false);
    // Walks names from start, one FindChild each, creating missing elements when create is
    // true. A null start begins at the document, whose element must match names[0] (ignoring
    // case). Null when names is empty or an element on the way is missing.
    XmlNode FindPath(XmlNode start, const std::vector<std::string>& names, bool create = false);
    // Always appends a new child element name (null for a null parent).
    XmlNode AddChild(XmlNode parent, const std::string& name);
    // The first child name of parent that has a child element keyName whose text equals
    // keyValue (names and value ignoring case). When there is none and create is true, a new
    // child name holding keyName = keyValue is appended.
    XmlNode FindKeyedChild(XmlNode parent, const std::string& name, bool create,
                           const std::string& keyValue, const std::string& keyName);
    // Every child element of parent named name (ignoring case), in document order.
    std::vector<XmlNode> GetChildren(XmlNode parent, const std::string& name) const;

    // --- Reading values (parent holds the value elements) ---

    // The text of the child element name. Null parent: ReadStatus 4; no such child: 2; an
    // element that is not a simple text element: 5; each returns defaultValue.
    std::string ReadText(XmlNode parent, const std::string& name,
                         const std::string& defaultValue = {});
    // ReadText with the default as text, then parsed; a text that does not convert gives
    // ReadStatus 3 and the default.
    double ReadFloat(XmlNode parent, const std::string& name, double defaultValue);
    int ReadInt(XmlNode parent, const std::string& name, int defaultValue);
    // "true"/"T"/"Yes" and "false"/"F"/"No" (ignoring case); anything else gives the default.
    bool ReadBool(XmlNode parent, const std::string& name, bool defaultValue);
    // The texts of the keyName elements of the children name of parent, in document order
    // (children without keyName are skipped). ReadStatus 2 when parent has no children, 3 when
    // a key element is not a simple text (the list is then empty).
    void ReadTextList(XmlNode parent, const std::string& name, std::vector<std::string>& list,
                      const std::string& keyName);
    std::vector<std::string> ReadTextList(XmlNode parent, const std::string& name,
                                          const std::string& keyName);

    // The attribute's text; a missing or empty attribute gives the default and ReadStatus 6.
    // A null node gives the default with ReadStatus 0.
    std::string ReadAttr(XmlNode node, const std::string& name,
                         const std::string& defaultValue = {});
    // Parsed attributes; text that does not convert gives ReadStatus 3 and the default.
    double ReadAttrFloat(XmlNode node, const std::string& name, double defaultValue);
    int ReadAttrInt(XmlNode node, const std::string& name, int defaultValue);
    // FindPath without creating, then ReadAttr on the element found.
    std::string ReadPathAttr(XmlNode start, const std::vector<std::string>& names,
                             const std::string& defaultValue, const std::string& attrName);

    // --- Writing values ---

    // Sets the text of the child element name of parent and returns that element. With reuse
    // an existing child is overwritten (every writer of the program passes true); without, a
    // new child is always appended. Null parent: WriteStatus 2, nothing written, null returned;
    // an element that holds child elements keeps them and gives WriteStatus 1.
    XmlNode WriteText(XmlNode parent, const std::string& name, bool reuse,
                      const std::string& text);
    // The value formatted with formatStr ("%0.6g", "%0.7f", ...).
    XmlNode WriteFloat(XmlNode parent, const std::string& name, bool reuse,
                       const std::string& formatStr, double value);
    XmlNode WriteInt(XmlNode parent, const std::string& name, bool reuse, long long value);
    // "true" or "false".
    XmlNode WriteBool(XmlNode parent, const std::string& name, bool reuse, bool value);
    // Sets (or adds) the attribute name of node; nothing for a null node.
    void SetAttr(XmlNode node, const std::string& name, const std::string& value);

private:
    void Load(const std::string& content);

    std::unique_ptr<pugi::xml_document> Document;
};

}  // namespace qdx

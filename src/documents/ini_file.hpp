#pragma once
// INI settings files: "[Section]" header lines and "key=value" lines, the first "=" splitting
// key from value (both trimmed); lines starting with ";" or "#" are comments. Section and key
// names are compared ignoring the case of ASCII letters.
//
// Two stores share one interface:
//  - TPowerIniFile holds the whole file in memory; changes reach the disk on UpdateFile (or at
//    destruction when AutoUpdate is set).
//  - TwIniFile reads the file on every read and rewrites it on every change.
// Files are rewritten through a temporary file and a rename, so a crash never leaves half a
// file; the order of sections and keys, comment lines and blank lines are kept.
//
// Typed reads return the caller's default when the key is missing or its text does not
// convert; they never throw.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

// One parsed INI text; exposed for the stores and the install merge.
class IniDocument {
public:
    struct Line {
        std::string raw;  // the line as it is written back
        bool isKey = false;
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::string header;  // the header line as it is written back
        std::vector<Line> lines;
    };

    void Parse(std::string_view text);
    std::string Text() const;
    void Clear();

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    static Line* FindKey(Section& section, std::string_view key);
    static const Line* FindKey(const Section& section, std::string_view key);

    const std::string* Value(std::string_view section, std::string_view key) const;
    // Each returns true when the document changed.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);
    // Replaces the section of that name (in place) or appends it, with every line of source.
    bool PutSection(const Section& source);

    std::vector<std::string> SectionNames() const;
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<std::string> NameValues(std::string_view section) const;

private:
    Section& AppendSection(std::string_view name);

    std::vector<Line> preamble_;  // lines before the first section header
    std::vector<Section> sections_;
    bool crlf_ = false;           // the file's line ends, kept when it is written back
    bool bom_ = false;            // a UTF-8 byte order mark, kept likewise
};

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const = 0;
    // Writes return false when the change could not be stored (TwIniFile: the file could not
    // be written). Line breaks in a value are stored as "%13%10".
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // The key names of a section, in file order.
    virtual std::vector<std::string> ReadSection(std::string_view section) const = 0;
    virtual std::vector<std::string> ReadSections() const = 0;
    // "key=value" texts of a section, in file order.
    virtual std::vector<std::string> ReadSectionValues(std::string_view section) const = 0;
    virtual bool SectionExists(std::string_view section) const = 0;
    virtual bool ValueExists(std::string_view section, std::string_view key) const = 0;
    virtual bool EraseSection(std::string_view section) = 0;
    virtual bool DeleteKey(std::string_view section, std::string_view key) = 0;
    // Makes the changes permanent; false when the file could not be written.
    virtual bool UpdateFile() = 0;

    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    bool WriteInteger(std::string_view section, std::string_view key, long long value);
    // "1"/"0" as written; any integer (non-zero is true) and the words true/false are read.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    // Numbers with "." and 15 significant digits.
    double ReadFloat(std::string_view section, std::string_view key, double fallback) const;
    bool WriteFloat(std::string_view section, std::string_view key, double value);

private:
    std::string fileName_;
};

class TPowerIniFile : public TCustomIniFile {
public:
    // Loads the file when it exists; a missing file is an empty store.
    explicit TPowerIniFile(std::string fileName);
    ~TPowerIniFile() override;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::vector<std::string> ReadSection(std::string_view section) const override;
    std::vector<std::string> ReadSections() const override;
    std::vector<std::string> ReadSectionValues(std::string_view section) const override;
    bool SectionExists(std::string_view section) const override;
    bool ValueExists(std::string_view section, std::string_view key) const override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view key) override;
    // Writes the file when anything changed. When another writer changed the file since it
    // was loaded, this store's changes are applied on top of the file's new content instead
    // of overwriting it.
    bool UpdateFile() override;

    // Copies a whole section of another store here, comments included, replacing a section
    // of the same name in place or appending it.
    void CopySection(const TPowerIniFile& from, std::string_view section);

    // Write back at destruction (for settings stores that behave like a registry).
    void SetAutoUpdate(bool on) { autoUpdate_ = on; }
    bool Modified() const { return !journal_.empty(); }

    // The file's text as it would be written.
    std::string Text() const { return doc_.Text(); }
    const IniDocument& Document() const { return doc_; }

private:
    struct Change {
        enum Kind { Write, Delete, Erase, Put } kind;
        std::string section, key, value;
        IniDocument::Section content;
    };
    static bool Apply(IniDocument& doc, const Change& change);
    bool Record(Change change);

    IniDocument doc_;
    std::string loadedText_;  // the file as last read or written
    bool loadedExists_ = false;
    std::vector<Change> journal_;
    bool autoUpdate_ = false;
};

class TwIniFile : public TCustomIniFile {
public:
    explicit TwIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::vector<std::string> ReadSection(std::string_view section) const override;
    std::vector<std::string> ReadSections() const override;
    std::vector<std::string> ReadSectionValues(std::string_view section) const override;
    bool SectionExists(std::string_view section) const override;
    bool ValueExists(std::string_view section, std::string_view key) const override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view key) override;
    bool UpdateFile() override { return true; }  // every change is already on disk

private:
    IniDocument Load() const;
    bool Store(const IniDocument& doc);
};

// Writes every "key=value" text of list into section (key and value trimmed); texts without
// "=" are skipped.
void WriteSectionValues(TCustomIniFile& file, std::string_view section,
                        const std::vector<std::string>& list);

}  // namespace qdx

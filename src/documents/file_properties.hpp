#pragma once
// The six descriptive values of a coil project (project name and number, description, author,
// company, date), saved in every data file and copied into the chart export. They start from
// the program settings and the machine's registered owner; opening a data file replaces them;
// saving writes them back unchanged.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "documents/xml_file.hpp"

namespace qdx {

class TCustomIniFile;
class ValueReader;

class TFileProperties {
public:
    static constexpr const char* kSettingsSection = "File Properties";

    std::string edProjectName;
    std::string edProjectNumber;
    std::string edDescription;  // several lines, CR LF between them
    std::string edAuthor;
    std::string edCompany;
    std::chrono::year_month_day edDate;  // files keep day, month and year

    // Empty texts and today's date.
    TFileProperties();

    // Start values: "Name", "Number", "Author" and "Company" of the program store's section
    // "File Properties" (the author and company default to the registered owner and
    // organisation), then today's date. The store is only read.
    void LoadDefaultProperties();
    void LoadDefaultProperties(const TCustomIniFile& store, std::string_view defaultAuthor,
                               std::string_view defaultCompany);

    // Replaces all six values from the "fileprops" element below parent; a missing value
    // becomes empty, an unreadable date today's. Without that element nothing changes and the
    // result is false.
    bool ReadPropertiesXML(TXMLFile& file, XmlNode parent);
    // Writes the "fileprops" element below parent (reusing the element and its children).
    void WritePropertiesXML(TXMLFile& file, XmlNode parent) const;

    // The older value-stream files: five texts (name, number, description, author, company)
    // and a date. Throws StreamError when the data ends or holds a value of another kind; the
    // values change only when all six were read.
    void ReadPropertiesStream(ValueReader& reader);

    // Appends the chart-export lines, each ended by CR LF: the name and number in single
    // quotes, the number of description lines, each description line in single quotes, then
    // the author, the company and the date in single quotes.
    void WritePropertiesText(std::string& text) const;

    // The description split at its line breaks; a last empty line does not count.
    std::vector<std::string> DescriptionLines() const;
};

// "dd mm yyyy".
std::string FormatPropertiesDate(const std::chrono::year_month_day& date);
// The calendar date of a stream date value (days since 30 December 1899, the fraction being
// the time of day); today's date when the value is not a date.
std::chrono::year_month_day DateFromStreamDays(double days);

}  // namespace qdx

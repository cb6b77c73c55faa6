#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::platform::richtext {

// Readable forms of the model for test failure messages.
inline void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << '"' << format.FontName << "\" " << format.SizePoints << "pt"
         << (format.Bold ? " b" : "") << (format.Italic ? " i" : "")
         << (format.Underline ? " u" : "");
}

inline void PrintTo(const Paragraph& paragraph, std::ostream* out) {
    *out << "\n  [indent " << paragraph.LeftIndentPoints << "; mark ";
    PrintTo(paragraph.MarkFormat, out);
    for (const TextRun& run : paragraph.Runs) {
        *out << "; ";
        PrintTo(run.Format, out);
        *out << " "
             << ::testing::PrintToString(run.Text.size() > 200 ? run.Text.substr(0, 200) + "..."
                                                               : run.Text);
    }
    *out << "]";
}

inline void PrintTo(const RichTextDocument& document, std::ostream* out) {
    *out << "default ";
    PrintTo(document.DefaultFormat(), out);
    document.ForEachParagraph([out](const Paragraph& paragraph) { PrintTo(paragraph, out); });
}

}  // namespace ostrelin::platform::richtext

namespace ostrelin::platform::richtext::testing {

// Test documents written briefly.
inline CharFormat Font(std::string name, double size, bool bold = false, bool italic = false,
                       bool underline = false) {
    return CharFormat{.FontName = std::move(name),
                      .SizePoints = size,
                      .Bold = bold,
                      .Italic = italic,
                      .Underline = underline};
}

inline CharFormat Courier(double size, bool bold = false, bool italic = false,
                          bool underline = false) {
    return Font("Courier New", size, bold, italic, underline);
}

// A paragraph of one run (none for an empty text) whose end mark has the run's format.
inline Paragraph Para(const CharFormat& format, std::string text, double indent = 0) {
    Paragraph paragraph{.LeftIndentPoints = indent, .Runs = {}, .MarkFormat = format};
    AppendText(paragraph, format, text);
    return paragraph;
}

inline RichTextDocument Doc(const std::vector<Paragraph>& paragraphs,
                            const CharFormat& defaultFormat = Courier(10)) {
    return RichTextDocument(defaultFormat, paragraphs);
}

// Names each instance of a table-driven test after the `name` field of its case.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& instance) const {
        return instance.param.name;
    }
};

}  // namespace ostrelin::platform::richtext::testing

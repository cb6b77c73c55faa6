#include "platform/richtext/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/richtext/Cp1250.h"
#include "platform/richtext/RtfTokenizer.h"

namespace ostrelin::platform::richtext {

namespace {

// Deeper nesting than this is taken as a stream that is not RTF; real documents stay far below.
constexpr std::size_t kMaxGroupDepth = 1000;

constexpr std::int32_t kDefaultHalfPoints = 24;
// The largest size that RTF writers produce (1638 points); anything above is damage, and would
// ask the font system for glyphs of absurd size.
constexpr std::int32_t kMaxHalfPoints = 3276;
constexpr int kDefaultFont = -1;

// Where the text of a group goes.
enum class Destination : std::uint8_t {
    Body,        // the document's text
    Skipped,     // a destination we do not use
    FontTable,   // font entries: \fN Name;
    StyleSheet,  // style entries: formatting words and Name;
};

// Character formatting as the words set it; fonts stay numbers until text uses them.
struct CharState {
    int Font = kDefaultFont;
    std::int32_t HalfPoints = kDefaultHalfPoints;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Hidden = false;
    friend bool operator==(const CharState&, const CharState&) = default;
};

// Everything an RTF group saves on entry and restores on exit.
struct GroupState {
    Destination Target = Destination::Body;
    CharState Chars;
    std::int32_t LeftIndentTwips = 0;
    int UnicodeSkip = 1;
    // Style sheet entries: the style's number, and false for character, section and table styles.
    int StyleNumber = 0;
    bool ParagraphStyle = true;
    // True for the group of one entry of the font table or the style sheet.
    bool Entry = false;
};

// Destinations whose content is never text of the document.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 40> kWords = {
        "colortbl",
        "info",
        "pict",
        "object",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "footnote",
        "annotation",
        "listtable",
        "listoverridetable",
        "revtbl",
        "rsidtbl",
        "filetbl",
        "xmlnstbl",
        "pgdsctbl",
        "themedata",
        "colorschememapping",
        "datastore",
        "latentstyles",
        "generator",
        "fldinst",
        "xe",
        "tc",
        "template",
        "nonshppict",
        "mmathPr",
        "bkmkstart",
        "bkmkend",
        "atnid",
        "atnauthor",
        "docvar",
        "userprops",
        "shpinst",
        "blipuid",
    };
    for (const std::string_view skipped : kWords) {
        if (word == skipped) {
            return true;
        }
    }
    return false;
}

// Code page 1250 bytes of the words that stand for single typographic characters.
std::optional<char> SpecialCharacter(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, char>, 12> kWords = {{
        {"tab", '\t'},
        {"cell", '\t'},
        {"emdash", '\x97'},
        {"endash", '\x96'},
        {"lquote", '\x91'},
        {"rquote", '\x92'},
        {"ldblquote", '\x93'},
        {"rdblquote", '\x94'},
        {"bullet", '\x95'},
        {"emspace", ' '},
        {"enspace", ' '},
        {"qmspace", ' '},
    }};
    for (const auto& [name, byte] : kWords) {
        if (word == name) {
            return byte;
        }
    }
    return std::nullopt;
}

bool IsParagraphBreak(std::string_view word) {
    return word == "par" || word == "line" || word == "sect" || word == "page" || word == "row";
}

bool IsUnderlineKind(std::string_view word) {
    static constexpr std::array<std::string_view, 17> kWords = {
        "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
        "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
        "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
    };
    for (const std::string_view kind : kWords) {
        if (word == kind) {
            return true;
        }
    }
    return false;
}

// Trims the blanks that writers put around font and style names.
std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class Reader {
  public:
    explicit Reader(std::string_view rtf) : tokens_(rtf) {}

    std::optional<RichTextDocument> Read() {
        while (true) {
            const RtfToken token = tokens_.Next();
            if (token.Type == RtfToken::Kind::End) {
                break;
            }
            if (!Handle(token)) {
                return std::nullopt;
            }
            if (finished_) {
                break;
            }
        }
        if (!paragraph_.Runs.empty()) {
            EndParagraph();
        }
        document_.SetDefaultFormat(Resolve(defaultChars_));
        return std::move(document_);
    }

  private:
    // Handles one token; false when the stream turns out not to be readable RTF.
    bool Handle(const RtfToken& token) {
        if (token.Type == RtfToken::Kind::GroupOpen) {
            pendingSkip_ = 0;
            if (groups_.size() >= kMaxGroupDepth) {
                return false;
            }
            groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
            const bool inTable = State().Target == Destination::FontTable ||
                                 State().Target == Destination::StyleSheet;
            if (groups_.size() > 1 && inTable && !State().Entry) {
                StartEntry();
            }
            return true;
        }
        if (token.Type == RtfToken::Kind::GroupClose) {
            pendingSkip_ = 0;
            if (groups_.size() == 1 && !paragraph_.Runs.empty()) {
                // Text after the last \par ends as a paragraph while the outer group's state,
                // which gives the paragraph its indent and mark, still exists.
                EndParagraph();
            }
            if (!groups_.empty()) {
                EndGroup();
            }
            finished_ = groups_.empty();
            return true;
        }
        if (groups_.empty()) {
            return true;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return true;
        }
        switch (token.Type) {
            case RtfToken::Kind::ControlWord:
                HandleWord(token);
                break;
            case RtfToken::Kind::ControlSymbol:
                HandleSymbol(token.Byte);
                break;
            case RtfToken::Kind::HexByte:
            case RtfToken::Kind::Text:
                HandleByte(token.Byte);
                break;
            default:
                break;
        }
        return true;
    }

    GroupState& State() { return groups_.back(); }

    // A group directly inside the font table or the style sheet is one entry, which starts
    // from plain formatting.
    void StartEntry() {
        State().Entry = true;
        State().Chars = CharState{};
        State().StyleNumber = 0;
        State().ParagraphStyle = true;
        entryName_.clear();
    }

    // An entry whose name lacks the closing semicolon still counts when its group ends.
    void EndGroup() {
        if (State().Entry && State().Target != Destination::Skipped && !entryName_.empty()) {
            EndEntry();
        }
        groups_.pop_back();
    }

    void HandleWord(const RtfToken& token) {
        const std::string_view word = token.Word;
        const std::int32_t parameter = token.Parameter;
        const bool on = !token.HasParameter || parameter != 0;
        GroupState& state = State();

        // \u comes once for every letter beyond ASCII: it is looked for first. The words below
        // name disjoint sets, so their order decides nothing else.
        if (word == "u") {
            HandleUnicode(parameter);
        } else if (word == "fonttbl") {
            state.Target = Destination::FontTable;
        } else if (word == "stylesheet") {
            state.Target = Destination::StyleSheet;
        } else if (word == "bin") {
            tokens_.SkipBytes(token.HasParameter && parameter > 0 ? parameter : 0);
        } else if (word == "deff") {
            defaultFont_ = parameter;
        } else if (word == "f") {
            state.Chars.Font = parameter;
        } else if (word == "fs") {
            state.Chars.HalfPoints = token.HasParameter && parameter > 0
                                         ? std::min(parameter, kMaxHalfPoints)
                                         : kDefaultHalfPoints;
        } else if (word == "b") {
            state.Chars.Bold = on;
        } else if (word == "i") {
            state.Chars.Italic = on;
        } else if (IsUnderlineKind(word)) {
            state.Chars.Underline = on;
        } else if (word == "ulnone") {
            state.Chars.Underline = false;
        } else if (word == "v") {
            state.Chars.Hidden = on;
        } else if (word == "plain") {
            state.Chars = CharState{};
        } else if (word == "pard") {
            state.LeftIndentTwips = 0;
        } else if (word == "li") {
            state.LeftIndentTwips = parameter;
        } else if (word == "uc") {
            state.UnicodeSkip = parameter < 0 ? 0 : parameter;
        } else if (word == "s") {
            state.StyleNumber = parameter;
        } else if (word == "cs" || word == "ds" || word == "ts" || word == "tsrowd") {
            state.ParagraphStyle = false;
        } else if (IsParagraphBreak(word)) {
            if (state.Target == Destination::Body) {
                EndParagraph();
            }
        } else if (IsSkippedDestination(word)) {
            state.Target = Destination::Skipped;
        } else if (const std::optional<char> special = SpecialCharacter(word)) {
            HandleByte(*special);
        }
    }

    void HandleSymbol(char symbol) {
        switch (symbol) {
            case '\\':
            case '{':
            case '}':
                HandleByte(symbol);
                break;
            case '~':
                HandleByte('\xA0');
                break;
            case '_':
                HandleByte('-');
                break;
            case '*':
                // Marks a destination that a reader may skip when it does not know it: none of
                // those carries text that we print.
                State().Target = Destination::Skipped;
                break;
            case '\r':
            case '\n':
                if (State().Target == Destination::Body) {
                    EndParagraph();
                }
                break;
            default:
                break;
        }
    }

    // \uN: the letter in code page 1250 replaces its fallback characters; a letter that the code
    // page lacks leaves the fallback in its place (a '?' when there is none).
    void HandleUnicode(std::int32_t parameter) {
        const auto code = static_cast<char32_t>(parameter < 0 ? parameter + 0x10000 : parameter);
        if (const std::optional<std::uint8_t> byte = UnicodeToCp1250(code)) {
            HandleByte(static_cast<char>(*byte));
            pendingSkip_ = State().UnicodeSkip;
        } else if (State().UnicodeSkip == 0) {
            HandleByte('?');
        }
    }

    void HandleByte(char byte) {
        GroupState& state = State();
        switch (state.Target) {
            case Destination::Body:
                if (!state.Chars.Hidden) {
                    AppendToParagraph(byte);
                }
                break;
            case Destination::FontTable:
            case Destination::StyleSheet:
                if (byte == ';') {
                    EndEntry();
                } else {
                    entryName_ += byte;
                }
                break;
            case Destination::Skipped:
                break;
        }
    }

    void EndEntry() {
        const GroupState& state = State();
        if (state.Target == Destination::FontTable) {
            fontNames_[state.Chars.Font] = Trimmed(entryName_);
        } else if (state.StyleNumber == 0 && state.ParagraphStyle) {
            defaultChars_ = state.Chars;
        }
        entryName_.clear();
    }

    void AppendToParagraph(char byte) {
        const CharState& chars = State().Chars;
        if (paragraph_.Runs.empty() || chars != runChars_) {
            runChars_ = chars;
            const CharFormat format = Resolve(chars);
            if (paragraph_.Runs.empty() || paragraph_.Runs.back().Format != format) {
                paragraph_.Runs.push_back(TextRun{format, {}});
            }
        }
        paragraph_.Runs.back().Text += byte;
    }

    void EndParagraph() {
        paragraph_.LeftIndentPoints = State().LeftIndentTwips / 20.0;
        paragraph_.MarkFormat = Resolve(State().Chars);
        document_.AppendParagraph(paragraph_);
        paragraph_ = Paragraph{};
    }

    CharFormat Resolve(const CharState& chars) const {
        auto font = fontNames_.find(chars.Font == kDefaultFont ? defaultFont_ : chars.Font);
        if (font == fontNames_.end()) {
            font = fontNames_.find(defaultFont_);
        }
        return CharFormat{
            .FontName = font == fontNames_.end() ? std::string() : font->second,
            .SizePoints = chars.HalfPoints / 2.0,
            .Bold = chars.Bold,
            .Italic = chars.Italic,
            .Underline = chars.Underline,
        };
    }

    RtfTokenizer tokens_;
    std::vector<GroupState> groups_;
    bool finished_ = false;
    int pendingSkip_ = 0;

    std::map<int, std::string> fontNames_;
    int defaultFont_ = 0;
    CharState defaultChars_;  // of the Normal style
    std::string entryName_;

    RichTextDocument document_;
    Paragraph paragraph_;
    CharState runChars_;
};

}  // namespace

std::optional<RichTextDocument> ReadRtf(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf")) {
        return std::nullopt;
    }
    return Reader(rtf).Read();
}

}  // namespace ostrelin::platform::richtext

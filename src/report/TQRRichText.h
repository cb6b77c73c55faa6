#pragma once

#include <string_view>

#include "platform/canvas/Canvas.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/RichTextDocument.h"
#include "platform/richtext/TextMetrics.h"
#include "report/TQRPrintable.h"

namespace ostrelin::report {

// The rectangle handed to the rich-text control, in twips (1/1440 inch).
struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// A device position in twips at `dpi` pixels per inch, truncated toward zero.
int DeviceToTwips(int pixels, int dpi);
// A twips position in device pixels at `dpi` pixels per inch, rounded to the nearest pixel.
int TwipsToDevice(int twips, int dpi);

// The printable element for formatted documents. The document lives in a rich-text control of the
// element's own (or in another control named as ParentRichEdit) and is laid out straight onto the
// page. With AutoStretch on and a band as its parent, the element grows its band 5 mm at a time
// while text remains, and when the band cannot grow further on the page it prints what fits and
// lets the band continue on the next page (or column), so that one element carries a document
// of any length over as many pages as it needs.
class TQRCustomRichText : public TQRPrintable {
  public:
    // The step by which the band grows, tenths of a millimetre.
    static constexpr double kGrowStep = 50;

    // An element of 100 × 100 screen pixels on `parent`, its control laying text out with
    // `metrics`, which must outlive the element.
    TQRCustomRichText(ReportControl* parent, platform::richtext::TextMetrics& metrics);

    bool AutoStretch() const { return autoStretch_; }
    void SetAutoStretch(bool autoStretch) { autoStretch_ = autoStretch; }
    // The own control's default font: the format of text loaded as plain text.
    const platform::richtext::CharFormat& Font() const { return control_.DefaultFormat(); }
    void SetFont(const platform::richtext::CharFormat& font) { control_.SetDefaultFormat(font); }

    // Prints the document at the element's place shifted by the offsets (tenths of a millimetre;
    // the band's position on the page), flowing it over pages as the class comment says.
    void PrintAt(int offsetX, int offsetY) override;

  protected:
    // The own control, which holds the element's document.
    platform::richtext::RichEditControl& Lines() { return control_; }
    const platform::richtext::RichEditControl& Lines() const { return control_; }
    // Loads the own control's document from `stream`, read as RTF or else as plain text; raises
    // "Failed to Load Stream" when neither works. The previous document is replaced entirely.
    void LoadLines(std::string_view stream) { control_.LoadFromStream(stream); }
    // Replaces the own control's document, and that of ParentRichEdit when one is set.
    void SetLines(const platform::richtext::RichTextDocument& document);

    // Another control whose document is printed instead of the element's own; null for none.
    platform::richtext::RichEditControl* ParentRichEdit() const { return parentRichEdit_; }
    // Sets that control (not owned; it must outlive the element or be unset first) and copies its
    // document into the own control.
    void SetParentRichEdit(platform::richtext::RichEditControl* control);

  private:
    void Flow(platform::richtext::RichEditControl& source, TQRCustomBand& band, int offsetY,
              TwipsRect rc);

    bool autoStretch_ = false;
    platform::richtext::RichEditControl* parentRichEdit_ = nullptr;
    platform::richtext::RichEditControl control_;
};

// The rich-text element that reports use: it also offers its document (Lines) and ParentRichEdit.
class TQRRichText : public TQRCustomRichText {
  public:
    using TQRCustomRichText::Lines;
    using TQRCustomRichText::LoadLines;
    using TQRCustomRichText::ParentRichEdit;
    using TQRCustomRichText::SetLines;
    using TQRCustomRichText::SetParentRichEdit;
    using TQRCustomRichText::TQRCustomRichText;
};

}  // namespace ostrelin::report

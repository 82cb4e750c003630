#include "model/settings_image.h"

#include "model/byte_io.h"
#include "model/record_fields.h"
#include "model/record_layouts.h"

#include <stdexcept>

using namespace byte_io;

namespace settings_image {

namespace {

using L = TSettingsLayout;

// The settings fields, each with its offset in the aligned settings image
// and in the packed project record: the only place that says where a field
// is stored. Sheet is TLaptimeSheet for reading, const TLaptimeSheet
// otherwise; Io takes (name, layout member, image offset, record offset,
// field).
template <class Io, class Sheet> void SettingsFields(Io& io, Sheet& s) {
    // clang-format off
    //  field                                 image record
    io("Name",            &L::Name,              0,    0, s.Name);
    io("TimeFormat",      &L::TimeFormat,      255,  255, s.TimeFormat);
    io("FontName",        &L::FontName,        256,  256, s.FontName);
    io("FontColor",       &L::FontColor,       512,  511, s.FontColor);
    io("FontStyle",       &L::FontStyle,       516,  515, s.FontStyle);
    io("FontSize",        &L::FontSize,        520,  516, s.FontSize);
    io("BackColor",       &L::BackColor,       524,  520, s.BackColor);
    io("HeaderColor",     &L::HeaderColor,     528,  524, s.HeaderColor);
    io("HeaderDarkColor", &L::HeaderDarkColor, 532,  528, s.HeaderDarkColor);
    io("HeaderFontColor", &L::HeaderFontColor, 536,  532, s.HeaderFontColor);
    io("BoxColor",        &L::BoxColor,        540,  536, s.BoxColor);
    io("CellColor",       &L::CellColor,       544,  540, s.CellColor);
    io("AlternateColor",  &L::AlternateColor,  548,  544, s.AlternateColor);
    io("ShowGrid",        &L::ShowGrid,        552,  548, s.ShowGrid);
    io("GridStyle",       &L::GridStyle,       553,  549, s.GridStyle);
    io("GridColor",       &L::GridColor,       556,  550, s.GridColor);
    io("ColVisible",      &L::ColVisible,      560,  554, s.ColVisible);
    io("ColWidth",        &L::ColWidth,        568,  559, s.ColWidth);
    io("ColHorzAlign",    &L::ColHorzAlign,    588,  579, s.ColHorzAlign);
    io("ColVertAlign",    &L::ColVertAlign,    593,  584, s.ColVertAlign);
    io("DefRowHeight",    &L::DefRowHeight,    600,  589, s.DefRowHeight);
    io("RowCount",        &L::RowCount,        604,  593, s.RowCount);
    io("PlusColor",       &L::PlusColor,       608,  597, s.PlusColor);
    io("MinusColor",      &L::MinusColor,      612,  601, s.MinusColor);
    io("EqualColor",      &L::EqualColor,      616,  605, s.EqualColor);
    // clang-format on
}

// Runs Inner over the fields at the offsets of one layout.
template <class Inner> struct AtLayout {
    Inner& In;
    const TSettingsLayout& Layout;
    template <class T>
    void operator()(const char* name, std::size_t L::*at, std::size_t, std::size_t, T& v) {
        In(name, Layout.*at, v);
    }
};

// Takes each field's offset in one of the two layouts from the table.
struct OffsetsOf {
    TSettingsLayout Out{};
    bool Record = false;
    template <class T>
    void operator()(const char*, std::size_t L::*at, std::size_t image, std::size_t record,
                    const T&) {
        Out.*at = Record ? record : image;
    }
};

TSettingsLayout TableLayout(bool record) {
    OffsetsOf o;
    o.Record = record;
    const TLaptimeSheet any;
    SettingsFields(o, any);
    return o.Out;
}

} // namespace

std::vector<TFieldSpan> LayoutSpans(const TSettingsLayout& Layout) {
    FieldLister l;
    AtLayout<FieldLister> at{l, Layout};
    const TLaptimeSheet any;
    SettingsFields(at, any);
    return l.Spans;
}

const TSettingsLayout ImageLayout = TableLayout(false);
const TSettingsLayout RecordLayout = TableLayout(true);

void PutSettingsFields(std::string& b, std::size_t r, const TSettingsLayout& Layout,
                       const TLaptimeSheet& s) {
    FieldWriter w(b, r);
    AtLayout<FieldWriter> at{w, Layout};
    SettingsFields(at, s);
}

void GetSettingsFields(std::string_view Image, std::string_view Fallback,
                       const TSettingsLayout& Layout, TLaptimeSheet& s) {
    const FieldSource f(Image, Fallback);
    FieldReader r(f);
    AtLayout<FieldReader> at{r, Layout};
    SettingsFields(at, s);
}

void ReadSettingsImage(std::string_view Image, std::string_view Fallback, TLaptimeSheet& s) {
    GetSettingsFields(Image, Fallback, ImageLayout, s);
    for (auto& t : s.Texts)
        t.clear();
}

} // namespace settings_image

std::string WriteSettingsImage(const TLaptimeSheet& s) {
    std::string b(SettingsImageSize, '\0');
    settings_image::PutSettingsFields(b, 0, settings_image::ImageLayout, s);
    return b;
}

void ReadSettingsImage(std::string_view Image, TLaptimeSheet& Dest) {
    if (Image.size() < SettingsImageSize)
        throw std::invalid_argument("a sheet settings image needs 632 bytes");
    settings_image::ReadSettingsImage(Image.substr(0, SettingsImageSize), {}, Dest);
}

std::vector<TFieldSpan> SettingsImageLayout() {
    return settings_image::LayoutSpans(settings_image::ImageLayout);
}

#include "model/laptime_sheet.h"

TLaptimeSheet DefaultSheetSettings() {
    TLaptimeSheet s;
    s.TimeFormat = 0;                                                          // [H]:MM:SS
    s.FontName.assign("\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"); // ＭＳ ゴシック
    s.FontColor = sys_color::WindowText;
    s.FontStyle = 0;
    s.FontSize = 11;
    s.BackColor = sys_color::Window;
    s.HeaderColor = sys_color::BtnFace;
    s.HeaderDarkColor = sys_color::Base + 6; // window frame
    s.HeaderFontColor = sys_color::WindowText;
    s.BoxColor = sys_color::WindowText;
    s.CellColor = sys_color::Window;
    s.AlternateColor = sys_color::Base + 24; // info background
    s.ShowGrid = 1;
    s.GridStyle = 2; // dot
    s.GridColor = sys_color::Base + 6;
    s.ColVisible.fill(1);
    s.ColWidth.fill(74);
    s.ColHorzAlign.fill(haCenter);
    s.ColVertAlign.fill(vaCenter);
    s.DefRowHeight = 22;
    s.RowCount = 20;
    s.PlusColor = 0x000000FF;
    s.MinusColor = 0x00FF0000;
    s.EqualColor = 0x0055CC55;
    return s;
}

void CopySheetSettings(TLaptimeSheet* Dest, const TLaptimeSheet* Src, bool WithTexts) {
    if (!Dest || !Src || Dest == Src) return;
    Dest->Name.assign(Src->Name.str());
    Dest->FontName = Src->FontName;
    Dest->TimeFormat = Src->TimeFormat;
    Dest->FontColor = Src->FontColor;
    Dest->FontStyle = Src->FontStyle;
    Dest->FontSize = Src->FontSize;
    Dest->BackColor = Src->BackColor;
    Dest->HeaderColor = Src->HeaderColor;
    Dest->HeaderDarkColor = Src->HeaderDarkColor;
    Dest->HeaderFontColor = Src->HeaderFontColor;
    Dest->BoxColor = Src->BoxColor;
    Dest->CellColor = Src->CellColor;
    Dest->AlternateColor = Src->AlternateColor;
    Dest->ShowGrid = Src->ShowGrid;
    Dest->GridStyle = Src->GridStyle;
    Dest->GridColor = Src->GridColor;
    Dest->ColVisible = Src->ColVisible;
    Dest->ColWidth = Src->ColWidth;
    Dest->ColHorzAlign = Src->ColHorzAlign;
    Dest->ColVertAlign = Src->ColVertAlign;
    Dest->DefRowHeight = Src->DefRowHeight;
    Dest->RowCount = Src->RowCount;
    if (WithTexts) Dest->Texts = Src->Texts;
    Dest->PlusColor = Src->PlusColor;
    Dest->MinusColor = Src->MinusColor;
    Dest->EqualColor = Src->EqualColor;
}

std::string TitleFromFileName(std::string_view FileName) {
    // Only "/" separates folders here; "\" can be the second byte of a
    // two-byte character.
    if (auto slash = FileName.rfind('/'); slash != std::string_view::npos)
        FileName.remove_prefix(slash + 1);
    return std::string(FileName.substr(0, FileName.find('.')));
}

#include "app/user_port.h"

namespace {

constexpr const char* ProjectFilter = "Segmark Projects....................(*.sgp)|*.sgp";
constexpr const char* TextFilter = "Text File...............(*.txt)|*.txt";
constexpr const char* SettingsFilter = "Sheet Settings File........(*.dsf)|*.dsf";

TFileDialog Dialog(const char* Title, const char* Filter, const char* Ext, bool Overwrite) {
    TFileDialog d;
    d.Title = Title;
    d.Filter = Filter;
    d.DefaultExt = Ext;
    d.ConfirmOverwrite = Overwrite;
    return d;
}

} // namespace

namespace file_dialogs {

TFileDialog OpenProject() {
    return Dialog("Open File", ProjectFilter, "sgp", false);
}
TFileDialog SaveProject() {
    return Dialog("Save File", ProjectFilter, "sgp", true);
}
TFileDialog OpenSheetText() {
    return Dialog("OpenTxt", TextFilter, "txt", false);
}
TFileDialog SaveSheetText() {
    return Dialog("Save Text", TextFilter, "txt", true);
}
TFileDialog OpenSheetSettings() {
    return Dialog("Open File", SettingsFilter, "dsf", false);
}
TFileDialog SaveSheetSettings() {
    return Dialog("Save Config", SettingsFilter, "dsf", true);
}

} // namespace file_dialogs

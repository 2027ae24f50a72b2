#pragma once
// The desktop's folder picker for TBrowseFolder: Qt's own folder dialog with a status line and an extra
// button.

#include "components/BrowseFolder.h"

class TQtFolderPicker : public TFolderPicker
{
public:
    std::optional<TFolderPickerResult> Run(const TFolderPickerRequest& request,
                                           TFolderPickerEvents& events) override;
};

// The local folder that stands for a special folder, or empty when the desktop has none.
std::string SpecialFolderPath(TSHFolders folder);

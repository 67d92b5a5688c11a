#pragma once

#include "settings/FixedDialog.h"

// The options dialog: six options, the pattern editor and the exclusion dialog.
class TfrmOptionen : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmOptionen(QWidget* parent = nullptr);
};

#pragma once

#include "settings/FixedDialog.h"

// The exclusion dialog: the directories the search leaves out.
class TfrmAusschluss : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmAusschluss(QWidget* parent = nullptr);
};

#pragma once

#include "settings/FixedDialog.h"

// The pattern editor: adds and deletes search patterns.
class TfrmSuchmuster : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmSuchmuster(QWidget* parent = nullptr);
};

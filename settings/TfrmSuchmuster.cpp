#include "settings/TfrmSuchmuster.h"

TfrmSuchmuster::TfrmSuchmuster(QWidget* parent)
    : FixedDialog(parent, "frmSuchmuster", QStringLiteral("Edit search patterns"), 632, 267) {}

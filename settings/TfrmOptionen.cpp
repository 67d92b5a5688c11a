#include "settings/TfrmOptionen.h"

TfrmOptionen::TfrmOptionen(QWidget* parent)
    : FixedDialog(parent, "frmOptionen", QStringLiteral("Options"), 469, 268) {}

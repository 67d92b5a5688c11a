#include "settings/TfrmAusschluss.h"

TfrmAusschluss::TfrmAusschluss(QWidget* parent)
    : FixedDialog(parent, "frmAusschluss", QStringLiteral("Exclude directories"), 632, 210)
{
}

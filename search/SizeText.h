#pragma once

#include <QString>

// The one wording of a byte count in the program's summaries: whole,
// truncated kilobytes or megabytes after a tilde, or plain bytes.
QString SizeText(qint64 count);

#pragma once
// Renders the contract editor to an image without anybody at the screen:
// the contract is opened through the browser exactly as a double click
// opens it, the tab is selected, the editor is drawn and closed.
#include "dba/database.h"

#include <QString>

class HostWindow;

// Opens contract `key` in the browser of `window` (its beneficiary is field
// 3 of the contract), selects tab `tab` (0 to 4) and saves the editor to
// `png`. Returns the exit code: 0 when the image was written.
int CaptureEditor(HostWindow& window, const dba::Database& db, const QString& key, int tab,
                  const QString& png);

#pragma once

#include "base/TextCatalog.h"
#include "fit/FitRequest.h"
#include "fit/FitResult.h"

#include <QString>

class QWidget;
class ToolLibrary;

// Runs a fit on a worker thread while a window-modal progress dialog shows how far it is and
// offers Cancel; the window keeps repainting meanwhile. Cancel (or closing the dialog) raises the
// fit's cancel flag; the result is then Cancelled and carries no bands.
class CFitRunner {
public:
    static FitResult Run(QWidget& parent, const TextCatalog& texts, const ToolLibrary& library,
                         FitRequest request, const QString& label);
};

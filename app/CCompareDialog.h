#pragma once

#include "base/TextCatalog.h"
#include "params/ParameterDiff.h"

#include <QDialog>

#include <vector>

class QLabel;
class QTableWidget;

// The differences between the editor's parameters (as Set would write them) and a parameter
// file or the device's file: a table of field, channel, block, band, the editor's value and the
// other's, with "identical" above it when there are none. Close ends it.
class CCompareDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kColumns = 6;

    // other names the other side in the title ("Compare with Para.bin").
    CCompareDialog(const std::vector<FieldDifference>& differences, const QString& other,
                   TextCatalog texts, QWidget* parent = nullptr);

    // "identical", or "3 differences"; then a note when the coefficients were not compared.
    QLabel& Summary() const { return *summary_; }
    QTableWidget& Table() const { return *table_; }
    void SetNote(const QString& note);

private:
    QLabel* summary_ = nullptr;
    QTableWidget* table_ = nullptr;
};

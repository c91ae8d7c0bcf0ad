#include "app/CCompareDialog.h"

#include "app/CMessageReporter.h"
#include "base/NumberText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kMinimumWidth = 640;

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The cells of one row, in column order.
QStringList Cells(const FieldDifference& difference, const TextCatalog& texts) {
    const QString channel =
        difference.channel >= 0 ? QStringLiteral("channel%1").arg(difference.channel) : QString();
    const QString band = difference.band >= 0 ? QString::number(difference.band) : QString();
    QString other = Q(difference.b.Format());
    if (difference.count > 1) {
        // The first of the floats that differ stands for the others.
        other += QStringLiteral(u" …");
    }
    return {Q(ParameterDiff::FieldName(difference, texts)),
            channel,
            Q(ParameterDiff::BlockText(difference.block, texts)),
            band,
            Q(difference.a.Format()),
            other};
}

} // namespace

CCompareDialog::CCompareDialog(const std::vector<FieldDifference>& differences,
                               const QString& other, TextCatalog texts, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(CMessageReporter::Title() + QStringLiteral(" - ") +
                   Q(texts.Format(TextId::CompareTitle, {other.toStdU16String()})));
    summary_ = new QLabel(this);
    summary_->setText(differences.empty()
                          ? Q(texts.Text(TextId::CompareIdentical))
                          : Q(texts.Format(TextId::CompareDifferences,
                                           {NumberText::Widen(NumberText::FormatInt(
                                               static_cast<int64_t>(differences.size())))})));
    table_ = new QTableWidget(static_cast<int>(differences.size()), kColumns, this);
    table_->setHorizontalHeaderLabels(
        {Q(texts.Text(TextId::CompareField)), Q(texts.Text(TextId::CompareChannel)),
         Q(texts.Text(TextId::CompareBlock)), Q(texts.Text(TextId::CompareBand)),
         Q(texts.Text(TextId::CompareEditor)), Q(texts.Text(TextId::CompareOther))});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QStringList cells = Cells(differences[static_cast<std::size_t>(row)], texts);
        for (int column = 0; column < kColumns; ++column) {
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    setMinimumWidth(kMinimumWidth);
}

void CCompareDialog::SetNote(const QString& note) {
    if (!note.isEmpty()) {
        summary_->setText(summary_->text() + QStringLiteral("\n") + note);
    }
}

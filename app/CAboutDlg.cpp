#include "app/CAboutDlg.h"

#include "app/AppIcon.h"
#include "base/SonvexVersion.h"
#include "widgets/ControlId.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf16(SonvexVersion::kAboutTitle));
    setWindowIcon(AppIcon::Icon());

    auto* icon = new QLabel(this);
    ControlId::Set(*icon, kIconId);
    icon->setPixmap(AppIcon::Pixmap(32));
    auto* text = new QLabel(QString::fromUtf16(SonvexVersion::kAboutLine), this);
    ControlId::Set(*text, kTextId);
    auto* ok = new QPushButton(QStringLiteral(u"确定"), this);
    ControlId::Set(*ok, kOkId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* body = new QHBoxLayout;
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addWidget(text, 1, Qt::AlignVCenter);
    body->addSpacing(12);
    body->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

#pragma once

#include "base/TextCatalog.h"

#include <QDialog>
#include <QMessageBox>

class CMscomm_eq;
class QLineEdit;
class QPushButton;
class QShowEvent;
struct SerialResult;

// The serial port settings dialog: the user types a port number and "OK" opens that port at
// 115200 baud, no parity, 8 data bits, 1 stop bit through the wrapper it is lent. Neither button
// ends the dialog; Escape and the close box do. Run it with exec().
class CComSet : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 133;
    // Control identifiers, carried as the dynamic property "controlId".
    static constexpr int kPortEditId = 1048;
    static constexpr int kBaudEditId = 1049;
    static constexpr int kOkId = 1050;
    static constexpr int kCancelId = 1051;
    static constexpr int kSerialControlId = 1052;
    static constexpr int kPortLabelId = 2000;
    static constexpr int kBaudLabelId = 2001;

    // texts gives the messages that are not the dialog's own (built-in English by default).
    CComSet(CMscomm_eq& comm, QWidget* parent = nullptr, TextCatalog texts = {});

    // The title of the dialog's message boxes: the application's name.
    static QString MessageTitle();

protected:
    // Both edit boxes start empty each time the dialog opens.
    void showEvent(QShowEvent* event) override;

private:
    void CreateUi();
    void ConnectUi();

    // "OK": reads the port number and opens that port with the fixed settings.
    void OnOk();
    // Sets the fixed properties of the open sequence; stops at the first one refused.
    SerialResult ConfigurePort(int number);
    void ShowMessage(const QString& text, QMessageBox::Icon icon);
    // The message for a refused request while opening port number `number`: it names the
    // port and the reason.
    QString FailureText(const SerialResult& result, int number) const;
    QString Text(TextId id, const QString& argument) const;
    void ShowFailure(const SerialResult& result, int number);

    CMscomm_eq& comm_;
    TextCatalog texts_;
    QLineEdit* portEdit_ = nullptr;
    QLineEdit* baudEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

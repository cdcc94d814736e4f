#include "foundation_gui/PasswordQuery.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Numbers.h"
#include "platform_gui/Dialogs.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace {

constexpr int MaxPasswordLength = 255;

// Qt masks with a dot by default; the station's users know the star.
class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordDialog::PasswordDialog(const QString& caption, const QString& prompt, const QString& value,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), prompt_(new QLabel(prompt, this)),
      edit_(new QLineEdit(this)), okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(caption);

    // Dialog units: a quarter of the average letter width across, an eighth of the font height down.
    const QFontMetrics metrics(font());
    const int averageWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
        52;
    const int fontHeight = metrics.height();
    const auto across = [averageWidth](int units) { return platform::MulDiv(units, averageWidth, 4); };
    const auto down = [fontHeight](int units) { return platform::MulDiv(units, fontHeight, 8); };

    const int left = across(8);
    const QRect promptRect =
        metrics.boundingRect(QRect(0, 0, across(164), 1 << 20), Qt::AlignLeft | Qt::TextWordWrap, prompt);
    prompt_->setWordWrap(true);
    prompt_->setGeometry(left, down(8), promptRect.width(), promptRect.height());

    auto* style = new StarPasswordStyle;
    style->setParent(edit_);
    edit_->setStyle(style);
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(MaxPasswordLength);
    edit_->setText(value);
    edit_->selectAll();
    edit_->setGeometry(left, prompt_->geometry().bottom() + 1 + 5, across(164), edit_->sizeHint().height());

    const int buttonTop = edit_->geometry().bottom() + 1 + 15;
    const int buttonWidth = across(50);
    const int buttonHeight = down(14);
    okButton_->setDefault(true);
    okButton_->setGeometry(across(38), buttonTop, buttonWidth, buttonHeight);
    cancelButton_->setGeometry(across(92), buttonTop, buttonWidth, buttonHeight);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(across(180), buttonTop + buttonHeight + 13);
    CentreOnScreen(this);
    edit_->setFocus();
}

QString PasswordDialog::Text() const
{
    return edit_->text();
}

bool PasswordQuery(const QString& caption, const QString& prompt, QString& value)
{
    platform::DialogRequest request;
    request.kind = platform::DialogKind::Password;
    request.caption = caption;
    request.text = prompt;
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Ok;
    request.value = value;
    const platform::DialogAnswer answer = platform::RunDialog(request, [&] {
        PasswordDialog dialog(caption, prompt, value);
        if (dialog.exec() != QDialog::Accepted)
            return platform::DialogAnswer{};
        return platform::DialogAnswer{QMessageBox::Ok, {dialog.Text()}};
    });
    if (answer.button != QMessageBox::Ok)
        return false;
    // An answer can only hold what the edit would have taken.
    value = answer.values.value(0).left(MaxPasswordLength);
    return true;
}

QString PasswordBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    QString value = defaultValue;
    return PasswordQuery(caption, prompt, value) ? value : defaultValue;
}

// The view's language slots: thin forwards to the language-file readers.
#include "i18n/language_files.h"
#include "ui/myQQuickView.h"

QVariantMap myQQuickView::chkLanguages() {
    return z718::i18n::availableLanguages();
}

QStringList myQQuickView::getGlobalStrings(QVariant type, QString langCode) {
    return z718::i18n::groupTexts(type.toInt(), langCode);
}

QStringList myQQuickView::getProductLayoutStrings_Q7(QString langCode) {
    return z718::i18n::layoutTexts(langCode);
}

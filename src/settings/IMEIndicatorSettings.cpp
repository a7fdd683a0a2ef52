#include "settings/IMEIndicatorSettings.h"

namespace mirevo {

const LanguageColors& defaultLanguageColors()
{
    static const LanguageColors colors{{
        {0.0, 0.0, 1.0, 1.0},   // english
        {1.0, 0.0, 0.0, 1.0},   // japanese
        {0.0, 0.7, 0.0, 1.0},   // chineseSimplified
        {0.0, 0.5, 0.0, 1.0},   // chineseTraditional
        {0.6, 0.0, 0.6, 1.0},   // korean
        {0.0, 0.6, 0.6, 1.0},   // thai
        {0.0, 0.7, 0.7, 1.0},   // vietnamese
        {1.0, 0.5, 0.0, 1.0},   // arabic
        {0.85, 0.65, 0.0, 1.0}, // hebrew
        {1.0, 0.6, 0.2, 1.0},   // hindi
        {0.7, 0.0, 0.3, 1.0},   // russian
        {0.0, 0.4, 0.8, 1.0},   // greek
        {0.3, 0.5, 0.7, 1.0},   // mongolian
        {0.8, 0.6, 0.0, 1.0},   // myanmar
        {0.2, 0.6, 0.4, 1.0},   // khmer
        {0.4, 0.7, 0.3, 1.0},   // lao
        {0.0, 0.5, 0.5, 1.0},   // bengali
        {0.8, 0.2, 0.2, 1.0},   // tamil
        {0.6, 0.3, 0.0, 1.0},   // telugu
        {0.8, 0.0, 0.4, 1.0},   // nepali
        {0.5, 0.0, 0.5, 1.0},   // sinhala
        {0.0, 0.6, 0.3, 1.0},   // persian
        {0.0, 0.35, 0.7, 1.0},  // ukrainian
        {0.5, 0.5, 0.5, 1.0},   // other
    }};
    return colors;
}

const LanguageTexts& defaultLanguageTexts()
{
    static const LanguageTexts texts{
        QStringLiteral("A"),
        QString(QChar(0x3042)), // あ
        QString(QChar(0x7B80)), // 简
        QString(QChar(0x7E41)), // 繁
        QString(QChar(0xD55C)), // 한
        QString(QChar(0x0E44)), // ไ
        QStringLiteral("V"),
        QString(QChar(0x0639)),                 // ع
        QString(QChar(0x05E2)),                 // ע
        QString(QChar(0x0905)),                 // अ
        QString(QChar(0x042F)),                 // Я
        QString(QChar(0x03A9)),                 // Ω
        QString(QChar(0x182E)),                 // ᠮ
        QString(QChar(0x1019)),                 // မ
        QString(QChar(0x1780)),                 // ក
        QString(QChar(0x0EA5)),                 // ລ
        QString(QChar(0x09AC)),                 // ব
        QString(QChar(0x0BA4)),                 // த
        QString(QChar(0x0C24)),                 // త
        QString(QChar(0x0928)) + QChar(0x0947), // ने
        QString(QChar(0x0DC3)) + QChar(0x0DD2), // සි
        QString(QChar(0x0641)),                 // ف
        QString(QChar(0x0423)),                 // У
        QStringLiteral("?"),
    };
    return texts;
}

} // namespace mirevo

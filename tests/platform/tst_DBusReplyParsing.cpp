#include "DBusDelivery.h"
#include "common/TestRegistry.h"
#include "platform/x11/Fcitx5MethodList.h"
#include "platform/x11/IBusEngineDesc.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QTest>

using namespace mirevo;

namespace {

// An IBusEngineDesc as ibus-daemon sends it: (s a{sv} <Before strings> u <After strings>).
// QtDBus takes a type's signature from a default value, so the string counts are part of
// the type; other counts give older and malformed shapes.
template <int Before, int After> struct EngineDesc {
    QString typeName = QStringLiteral("IBusEngineDesc");
    QStringList before; // name, longname, description, language, license, author, icon, layout
    QStringList after;  // hotkeys, symbol, setup, layout_variant, ...
};

template <int Before, int After>
QDBusArgument& operator<<(QDBusArgument& argument, const EngineDesc<Before, After>& desc)
{
    argument.beginStructure();
    argument << desc.typeName << QVariantMap{{QStringLiteral("x"), 1}};
    for (int i = 0; i < Before; ++i)
        argument << desc.before.value(i);
    argument << 0u;
    for (int i = 0; i < After; ++i)
        argument << desc.after.value(i);
    argument.endStructure();
    return argument;
}
template <int Before, int After>
const QDBusArgument& operator>>(const QDBusArgument& argument, EngineDesc<Before, After>&)
{
    return argument;
}

// One entry of AvailableInputMethods: its strings, then "configurable".
template <int Strings> struct Method {
    QStringList fields;
};

template <int Strings>
QDBusArgument& operator<<(QDBusArgument& argument, const Method<Strings>& method)
{
    argument.beginStructure();
    for (int i = 0; i < Strings; ++i)
        argument << method.fields.value(i);
    argument << true;
    argument.endStructure();
    return argument;
}
template <int Strings>
const QDBusArgument& operator>>(const QDBusArgument& argument, Method<Strings>&)
{
    return argument;
}

using CurrentDesc = EngineDesc<8, 8>;
using OlderDesc = EngineDesc<8, 3>;
using ShortDesc = EngineDesc<7, 8>;
using FullMethod = Method<6>;
using ShortMethod = Method<5>;
using FullMethods = QList<FullMethod>;
using ShortMethods = QList<ShortMethod>;

QVariant variantOf(const QVariant& value)
{
    return QVariant::fromValue(QDBusVariant(value));
}

const QStringList kHangul{"hangul", "Hangul",     "Korean Input Method", "ko",
                          "GPL",    "Peng Huang", "ibus-hangul",         "kr"};
const QStringList kTail{"", "한", "", "kr104", "", "1.5.4", "ibus-hangul", ""};

} // namespace

Q_DECLARE_METATYPE(CurrentDesc)
Q_DECLARE_METATYPE(OlderDesc)
Q_DECLARE_METATYPE(ShortDesc)
Q_DECLARE_METATYPE(FullMethod)
Q_DECLARE_METATYPE(ShortMethod)
Q_DECLARE_METATYPE(FullMethods)
Q_DECLARE_METATYPE(ShortMethods)

class DBusReplyParsingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qDBusRegisterMetaType<CurrentDesc>();
        qDBusRegisterMetaType<OlderDesc>();
        qDBusRegisterMetaType<ShortDesc>();
        qDBusRegisterMetaType<FullMethod>();
        qDBusRegisterMetaType<ShortMethod>();
        qDBusRegisterMetaType<FullMethods>();
        qDBusRegisterMetaType<ShortMethods>();
    }

    void ibusEngineDesc_data()
    {
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QString>("expected"); // "name|language|layout|variant"; empty: nothing
        const QString typeName = QStringLiteral("IBusEngineDesc");
        const QVariant current = QVariant::fromValue(CurrentDesc{typeName, kHangul, kTail});
        QTest::newRow("property value, variant in variant")
            << variantOf(variantOf(current)) << "hangul|ko|kr|kr104";
        QTest::newRow("one variant") << variantOf(current) << "hangul|ko|kr|kr104";
        QTest::newRow("older daemon without layout_variant")
            << variantOf(variantOf(QVariant::fromValue(OlderDesc{typeName, kHangul, kTail})))
            << "hangul|ko|kr|";
        QTest::newRow("another structure name")
            << variantOf(variantOf(
                   QVariant::fromValue(CurrentDesc{QStringLiteral("IBusText"), kHangul, kTail})))
            << "";
        QTest::newRow("a string missing")
            << variantOf(QVariant::fromValue(ShortDesc{typeName, kHangul.mid(1), kTail})) << "";
        QStringList unnamed = kHangul;
        unnamed[0].clear();
        QTest::newRow("empty engine name")
            << variantOf(QVariant::fromValue(CurrentDesc{typeName, unnamed, kTail})) << "";
        QTest::newRow("plain string") << variantOf(QVariant(QStringLiteral("hangul"))) << "";
        QTest::newRow("number") << QVariant(7) << "";
        QTest::newRow("string list") << variantOf(QVariant(kHangul)) << "";
    }
    void ibusEngineDesc()
    {
        QFETCH(QVariant, sent);
        QFETCH(QString, expected);
        const std::optional<QVariantList> received = test::deliverThroughDBus({sent});
        QVERIFY(received && received->size() == 1);
        const std::optional<IBusEngineInfo> info = parseIBusEngineDesc(received->first());
        QCOMPARE(info.has_value(), !expected.isEmpty());
        if (info) {
            QCOMPARE(QStringList({info->name, info->language, info->layout, info->layoutVariant})
                         .join('|'),
                     expected);
            QCOMPARE(info->longname, QStringLiteral("Hangul"));
        }
    }

    void missingValueGivesNothing()
    {
        QVERIFY(!parseIBusEngineDesc(QVariant()));
        QVERIFY(!parseFcitx5Methods(QVariant()));
    }

    void fcitx5Methods_data()
    {
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QString>("expected"); // "unique:language:name,..."; "-": nothing
        const FullMethods recorded{
            {{"keyboard-us", "Keyboard - English (US)", "", "input-keyboard", "us", "en"}},
            {{"keyboard-ru", "Keyboard - Russian", "", "input-keyboard", "ru", "ru"}},
            {{"hangul", "Hangul", "한글", "fcitx-hangul", "한", "ko"}},
        };
        QTest::newRow("recorded group")
            << QVariant::fromValue(recorded)
            << "keyboard-us:en:Keyboard - English (US),keyboard-ru:ru:Keyboard - "
               "Russian,hangul:ko:Hangul";
        QTest::newRow("empty list") << QVariant::fromValue(FullMethods{}) << "";
        QTest::newRow("a field missing")
            << QVariant::fromValue(ShortMethods{{{"hangul", "Hangul", "", "", "ko"}}}) << "-";
        QTest::newRow("strings only") << QVariant(QStringList{"hangul", "mozc"}) << "-";
        QTest::newRow("one string") << QVariant(QStringLiteral("hangul")) << "-";
        QTest::newRow("in a variant") << variantOf(QVariant::fromValue(recorded)) << "-";
    }
    void fcitx5Methods()
    {
        QFETCH(QVariant, sent);
        QFETCH(QString, expected);
        const std::optional<QVariantList> received = test::deliverThroughDBus({sent});
        QVERIFY(received && received->size() == 1);
        const auto methods = parseFcitx5Methods(received->first());
        QCOMPARE(methods.has_value(), expected != "-");
        if (!methods)
            return;
        QStringList flat;
        for (const Fcitx5Method& method : *methods)
            flat << method.uniqueName + ':' + method.languageCode + ':' + method.name;
        QCOMPARE(flat.join(','), expected);
    }
};

MIREVO_TEST_CLASS(DBusReplyParsingTest)
#include "tst_DBusReplyParsing.moc"

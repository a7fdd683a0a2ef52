#include "DBusDelivery.h"
#include "common/TestRegistry.h"
#include "platform/x11/DBusStringTuples.h"
#include "platform/x11/GnomeSources.h"
#include "platform/x11/IBusEngineDesc.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QTest>

#include <glib.h>

using namespace mirevo;

namespace {

// One array entry of `Strings` strings, then a boolean when `Flag` (fcitx5's
// "configurable"). QtDBus takes a type's signature from a default value, so the counts are
// part of the type; other counts give older and malformed shapes.
template <int Strings, bool Flag> struct Tuple {
    QStringList fields;
};

template <int Strings, bool Flag>
QDBusArgument& operator<<(QDBusArgument& argument, const Tuple<Strings, Flag>& tuple)
{
    argument.beginStructure();
    for (int i = 0; i < Strings; ++i)
        argument << tuple.fields.value(i);
    if (Flag)
        argument << true;
    argument.endStructure();
    return argument;
}
template <int Strings, bool Flag>
const QDBusArgument& operator>>(const QDBusArgument& argument, Tuple<Strings, Flag>&)
{
    return argument;
}

using FullMethod = Tuple<6, true>;
using ShortMethod = Tuple<5, true>;
using KdeLayout3 = Tuple<3, false>;
using FullMethods = QList<FullMethod>;
using ShortMethods = QList<ShortMethod>;
using KdeLayouts = QList<KdeLayout3>;

QVariant variantOf(const QVariant& value)
{
    return QVariant::fromValue(QDBusVariant(value));
}

// A GVariant from its text form; nothing for an empty text.
std::shared_ptr<GVariant> parsed(const QString& text)
{
    if (text.isEmpty())
        return nullptr;
    GVariant* value =
        g_variant_parse(nullptr, text.toUtf8().constData(), nullptr, nullptr, nullptr);
    return value ? std::shared_ptr<GVariant>(value, &g_variant_unref) : nullptr;
}

// An IBusEngineDesc as ibus-daemon 1.5.27 sends it; %1 is the engine name, %2 the fields
// after the rank.
const QString kHangul = QStringLiteral(
    "('IBusEngineDesc', @a{sv} {'x': <1>}, '%1', 'Hangul', 'Korean Input Method', 'ko', "
    "'GPL', 'Peng Huang', 'ibus-hangul', 'kr', uint32 0%2)");
const QString kTail = QStringLiteral(", '', '한', '', 'kr104', '', '1.5.4', 'ibus-hangul', ''");

} // namespace

Q_DECLARE_METATYPE(FullMethod)
Q_DECLARE_METATYPE(ShortMethod)
Q_DECLARE_METATYPE(KdeLayout3)
Q_DECLARE_METATYPE(FullMethods)
Q_DECLARE_METATYPE(ShortMethods)
Q_DECLARE_METATYPE(KdeLayouts)

class DBusReplyParsingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qDBusRegisterMetaType<FullMethod>();
        qDBusRegisterMetaType<ShortMethod>();
        qDBusRegisterMetaType<KdeLayout3>();
        qDBusRegisterMetaType<FullMethods>();
        qDBusRegisterMetaType<ShortMethods>();
        qDBusRegisterMetaType<KdeLayouts>();
    }

    void ibusEngineDesc_data()
    {
        QTest::addColumn<QString>("sent");     // GVariant text; empty: no value at all
        QTest::addColumn<QString>("expected"); // "name|language|layout|variant"; empty: nothing
        const QString current = kHangul.arg("hangul", kTail);
        QTest::newRow("property value, variant in variant") << "<<" + current + ">>"
                                                            << "hangul|ko|kr|kr104";
        QTest::newRow("list element, one variant") << "<" + current + ">"
                                                   << "hangul|ko|kr|kr104";
        QTest::newRow("older daemon without layout_variant")
            << "<<" + kHangul.arg("hangul", ", '', '한', ''") + ">>"
            << "hangul|ko|kr|";
        QTest::newRow("another structure name")
            << QString(current).replace("IBusEngineDesc", "IBusText") << "";
        QTest::newRow("a string missing") << QString(current).replace("'Hangul', ", "") << "";
        QTest::newRow("empty engine name") << kHangul.arg("", kTail) << "";
        QTest::newRow("plain string") << "<'hangul'>"
                                      << "";
        QTest::newRow("number") << "7"
                                << "";
        QTest::newRow("string list") << "['hangul', 'ko']"
                                     << "";
        QTest::newRow("no value") << ""
                                  << "";
    }
    void ibusEngineDesc()
    {
        QFETCH(QString, sent);
        QFETCH(QString, expected);
        const auto value = parsed(sent);
        QVERIFY(sent.isEmpty() || value);
        const std::optional<IBusEngineInfo> info = parseIBusEngineDesc(value.get());
        QCOMPARE(info.has_value(), !expected.isEmpty());
        if (info) {
            QCOMPARE(QStringList({info->name, info->language, info->layout, info->layoutVariant})
                         .join('|'),
                     expected);
            QCOMPARE(info->longname, QStringLiteral("Hangul"));
        }
    }

    // GNOME's mru-sources and sources settings, as GSettings hands them over.
    void gnomeCurrentSource_data()
    {
        QTest::addColumn<QString>("mruSources");
        QTest::addColumn<QString>("sources");
        QTest::addColumn<QString>("expected"); // "type:id"; empty: nothing
        QTest::newRow("most recent first") << "[('xkb', 'ru'), ('xkb', 'us')]"
                                           << "[('xkb', 'us'), ('xkb', 'ru')]"
                                           << "xkb:ru";
        QTest::newRow("nothing used yet: first configured") << "@a(ss) []"
                                                            << "[('ibus', 'hangul'), ('xkb', 'us')]"
                                                            << "ibus:hangul";
        QTest::newRow("layout with a variant") << "[('xkb', 'de+neo')]"
                                               << ""
                                               << "xkb:de+neo";
        QTest::newRow("no sources at all") << "@a(ss) []"
                                           << "@a(ss) []"
                                           << "";
        QTest::newRow("wrong element type") << "['ru']"
                                            << "[('xkb', 'us')]"
                                            << "xkb:us";
        QTest::newRow("empty id") << "[('xkb', '')]"
                                  << "[('xkb', 'us')]"
                                  << "";
        QTest::newRow("not a list") << "7"
                                    << "('xkb', 'us')"
                                    << "";
        QTest::newRow("no values") << ""
                                   << ""
                                   << "";
    }
    void gnomeCurrentSource()
    {
        QFETCH(QString, mruSources);
        QFETCH(QString, sources);
        QFETCH(QString, expected);
        const auto mru = parsed(mruSources);
        const auto all = parsed(sources);
        QVERIFY((mruSources.isEmpty() || mru) && (sources.isEmpty() || all));
        const std::optional<GnomeSource> source = currentGnomeSource(mru.get(), all.get());
        QCOMPARE(source ? source->type + ':' + source->id : QString(), expected);
    }

    // fcitx5's AvailableInputMethods and KDE's getLayoutsList.
    void stringTuples_data()
    {
        QTest::addColumn<QString>("parser");
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QString>("expected"); // entries' fields joined by ':', ','; "-": nothing
        const FullMethods recorded{
            {{"keyboard-us", "Keyboard - English (US)", "", "input-keyboard", "us", "en"}},
            {{"keyboard-ru", "Keyboard - Russian", "", "input-keyboard", "ru", "ru"}},
            {{"hangul", "Hangul", "한글", "fcitx-hangul", "한", "ko"}},
        };
        QTest::newRow("fcitx5 recorded group")
            << "fcitx5" << QVariant::fromValue(recorded)
            << "keyboard-us:en:Keyboard - English (US),keyboard-ru:ru:Keyboard - "
               "Russian,hangul:ko:Hangul";
        QTest::newRow("fcitx5 empty list") << "fcitx5" << QVariant::fromValue(FullMethods{}) << "";
        QTest::newRow("fcitx5 a field missing")
            << "fcitx5" << QVariant::fromValue(ShortMethods{{{"hangul", "Hangul", "", "", "ko"}}})
            << "-";
        QTest::newRow("fcitx5 strings only")
            << "fcitx5" << QVariant(QStringList{"hangul", "mozc"}) << "-";
        QTest::newRow("fcitx5 in a variant")
            << "fcitx5" << variantOf(QVariant::fromValue(recorded)) << "-";
        QTest::newRow("kde layouts")
            << "kde"
            << QVariant::fromValue(KdeLayouts{{{"us", "", "English (US)"}},
                                              {{"ru", "phonetic", "Russian (phonetic)"}}})
            << "us::English (US),ru:phonetic:Russian (phonetic)";
        QTest::newRow("kde empty list") << "kde" << QVariant::fromValue(KdeLayouts{}) << "";
        QTest::newRow("kde fcitx5's shape") << "kde" << QVariant::fromValue(recorded) << "-";
    }
    void stringTuples()
    {
        QFETCH(QString, parser);
        QFETCH(QVariant, sent);
        QFETCH(QString, expected);
        const std::optional<QVariantList> received = test::deliverThroughDBus({sent});
        QVERIFY(received && received->size() == 1);
        std::optional<QStringList> flat;
        if (parser == "fcitx5") {
            if (const auto methods = parseFcitx5Methods(received->first())) {
                flat.emplace();
                for (const Fcitx5Method& m : *methods)
                    *flat << m.uniqueName + ':' + m.languageCode + ':' + m.name;
            }
        } else if (const auto layouts = parseKdeLayouts(received->first())) {
            flat.emplace();
            for (const KdeLayout& l : *layouts)
                *flat << l.shortName + ':' + l.variant + ':' + l.longName;
        }
        QCOMPARE(flat ? flat->join(',') : QStringLiteral("-"), expected);
    }

    void missingValueGivesNothing()
    {
        QVERIFY(!parseFcitx5Methods(QVariant()));
        QVERIFY(!parseKdeLayouts(QVariant()));
    }
};

MIREVO_TEST_CLASS(DBusReplyParsingTest)
#include "tst_DBusReplyParsing.moc"

// The sound module is loaded at the first sound, not before, and its absence costs no more
// than the X bell.
#include "lazysound.h"

#include <QTest>

class LazySoundTest : public QObject {
    Q_OBJECT
private slots:
    void moduleIsLoadedByTheFirstSoundOnly();
    void missingModuleFallsBackWithoutFailing();
};

void LazySoundTest::moduleIsLoadedByTheFirstSoundOnly()
{
    horaloom::LazySound sound({QStringLiteral("/nonexistent"), QStringLiteral(HORALOOM_SOUND_DIR)});
    QVERIFY(!sound.loaded());
    sound.beep();
    QVERIFY(sound.loaded());
    sound.playWave("/nonexistent/alarm.wav"); // the default sound instead
    QVERIFY(sound.loaded());
    QTest::qWait(300);
}

void LazySoundTest::missingModuleFallsBackWithoutFailing()
{
    horaloom::LazySound sound({QStringLiteral("/nonexistent")});
    sound.beep();
    sound.playWave("/nonexistent/alarm.wav");
    QVERIFY(!sound.loaded());
}

QTEST_MAIN(LazySoundTest)
#include "test_lazysound.moc"

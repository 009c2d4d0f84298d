#include "Logic/Utilities/Logger.h"
#include "Platform/core/MainQueue.h"

#include <gtest/gtest.h>
#include <syslog.h>
#include <vector>

namespace zn {
namespace {

struct RecordingSink : SystemLogSink {
    struct Line {
        int priority;
        std::string message;
    };
    std::vector<Line>* lines;
    int acceptedMask;
    RecordingSink(std::vector<Line>* lines, int acceptedMask) : lines(lines), acceptedMask(acceptedMask) {}
    bool accepts(int priority) const override { return (acceptedMask & LOG_MASK(priority)) != 0; }
    void write(int priority, const std::string& message) override { lines->push_back({priority, message}); }
};

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override { MainQueue::drainPending(); }
    std::vector<RecordingSink::Line> lines;
};

TEST_F(LoggerTest, LevelsMapToSyslogPriorities) {
    EXPECT_EQ(syslogPriority(LogLevel::debug), LOG_DEBUG);
    EXPECT_EQ(syslogPriority(LogLevel::info), LOG_INFO);
    EXPECT_EQ(syslogPriority(LogLevel::warning), LOG_NOTICE);
    EXPECT_EQ(syslogPriority(LogLevel::error), LOG_ERR);
    EXPECT_EQ(rawValue(LogLevel::warning), "warning");

    Logger logger(std::make_unique<RecordingSink>(&lines, LOG_UPTO(LOG_DEBUG)));
    logger.log("w", LogLevel::warning, "a()");
    logger.log("e", LogLevel::error, "b()");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].priority, LOG_NOTICE);
    EXPECT_EQ(lines[0].message, "w"); // neither level nor source reaches the system log
    EXPECT_EQ(lines[1].priority, LOG_ERR);
}

TEST_F(LoggerTest, AMessageIsOneLineWhateverItCarries) {
    Logger logger(std::make_unique<RecordingSink>(&lines, LOG_UPTO(LOG_DEBUG)));
    logger.log("Refusing /a\nFake line\u202E", LogLevel::warning, "a()");
    MainQueue::drainPending();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].message, "Refusing /a\\nFake line\\u202E");
    ASSERT_EQ(logger.entries().size(), 1u);
    EXPECT_EQ(logger.entries()[0].message, lines[0].message);
}

TEST_F(LoggerTest, EntriesAppearOnlyWhenTheMainQueueRuns) {
    Logger logger(std::make_unique<RecordingSink>(&lines, LOG_UPTO(LOG_INFO)));
    logger.log("", LogLevel::debug, "getDiskInfo()");
    EXPECT_TRUE(lines.empty()); // debug is masked out of the system log ...
    EXPECT_TRUE(logger.entries().empty());
    MainQueue::drainPending();
    ASSERT_EQ(logger.entries().size(), 1u); // ... but still listed
    EXPECT_EQ(logger.entries()[0].message, "");
    EXPECT_EQ(logger.entries()[0].source, "getDiskInfo()");
    EXPECT_EQ(logger.entries()[0].level, LogLevel::debug);
}

TEST_F(LoggerTest, KeepsTheNewestThousand) {
    Logger logger(std::make_unique<RecordingSink>(&lines, 0));
    int changes = 0;
    logger.setEntriesChangedHandler([&] { ++changes; });
    for (int i = 0; i < 1001; ++i) {
        logger.log("message " + std::to_string(i), LogLevel::info, "test()");
        MainQueue::drainPending();
    }
    ASSERT_EQ(logger.entries().size(), 1000u);
    EXPECT_EQ(logger.entries().front().message, "message 1");
    EXPECT_EQ(logger.entries().back().message, "message 1000");
    EXPECT_EQ(changes, 1001);
}

TEST_F(LoggerTest, UndrainedQueueStaysBounded) {
    Logger logger(std::make_unique<RecordingSink>(&lines, 0));
    for (int i = 0; i < MainQueue::kMaxPendingTasks + 100; ++i)
        logger.log("x", LogLevel::info, "test()");
    EXPECT_EQ(MainQueue::drainPending(), MainQueue::kMaxPendingTasks);
    EXPECT_EQ(logger.entries().size(), Logger::kMaxEntries);
}

TEST_F(LoggerTest, AppendAfterTheLoggerIsGoneIsDropped) {
    {
        Logger logger(std::make_unique<RecordingSink>(&lines, 0));
        logger.log("late", LogLevel::info, "test()");
    }
    EXPECT_EQ(MainQueue::drainPending(), 1);
}

TEST(SyslogSink, FormatCharactersAreLoggedLiterally) {
    // Through the real syslog: a message that were used as a format would crash here under ASan.
    SyslogSink sink("com.zelvanexal.app.tests");
    sink.write(LOG_DEBUG, "%s%n%s%n%x");
    SUCCEED();
}

TEST(SyslogSink, AcceptsFollowsTheLogMask) {
    SyslogSink sink("com.zelvanexal.app.tests");
    const int previous = setlogmask(LOG_UPTO(LOG_NOTICE));
    EXPECT_TRUE(sink.accepts(LOG_ERR));
    EXPECT_TRUE(sink.accepts(LOG_NOTICE));
    EXPECT_FALSE(sink.accepts(LOG_DEBUG));
    setlogmask(previous);
}

} // namespace
} // namespace zn

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QWidget>
#include <deque>
#include <ostream>
#include <vector>

#include "platform/ui/busy_repaint.h"
#include "platform/ui/repainting_socket_api.h"

namespace pscfg::ui {
namespace {

// Answers every select from a script (0 when it runs out) and records the
// time-outs it was asked for. Nothing else is used.
class SelectScript : public net::SocketApi {
 public:
  std::deque<int> results;
  std::vector<long> timeouts;  // microseconds

  int select(net::Socket, net::SelectSet, const net::TimeVal& timeout) override {
    timeouts.push_back(timeout.seconds * 1000000 + timeout.microseconds);
    if (results.empty()) return 0;
    const int result = results.front();
    results.pop_front();
    return result;
  }
  net::Socket socket(int, int, int) override { return 7; }
  int ioctlsocket(net::Socket, long, unsigned long*) override { return 0; }
  int setsockopt(net::Socket, int, int, int) override { return 0; }
  int bind(net::Socket, const net::SocketAddress&) override { return 0; }
  int sendto(net::Socket, std::span<const std::uint8_t> data, const net::SocketAddress&) override {
    return static_cast<int>(data.size());
  }
  int recvfrom(net::Socket, std::span<std::uint8_t>, net::SocketAddress*) override { return 0; }
  int closesocket(net::Socket) override { return 0; }
  int WSAGetLastError() const override { return 10035; }
};

struct SliceRow {
  net::TimeVal timeout;
  std::deque<int> results;
  int expected_result;
  std::vector<long> expected_slices;
};

std::ostream& operator<<(std::ostream& out, const SliceRow& row) {
  return out << "timeout " << row.timeout.seconds << "s " << row.timeout.microseconds << "us, "
             << row.results.size() << " scripted";
}

class RepaintingSelect : public ::testing::TestWithParam<SliceRow> {};

TEST_P(RepaintingSelect, WaitsInSlicesAndRepaintsBeforeEach) {
  const SliceRow& row = GetParam();
  SelectScript inner;
  inner.results = row.results;
  int repaints = 0;
  RepaintingSocketApi sockets(inner, [&] { ++repaints; });
  EXPECT_EQ(sockets.select(7, net::SelectSet::kRead, row.timeout), row.expected_result);
  EXPECT_EQ(inner.timeouts, row.expected_slices);
  EXPECT_EQ(repaints, static_cast<int>(row.expected_slices.size()));
}

INSTANTIATE_TEST_SUITE_P(Rows, RepaintingSelect,
                         ::testing::Values(
                             // The 200 ms receive wait, nothing arrives.
                             SliceRow{{0, 200000}, {}, 0, {50000, 50000, 50000, 50000}},
                             // The 1 s send wait: twenty slices.
                             SliceRow{{1, 0}, {}, 0, std::vector<long>(20, 50000)},
                             // Ready in the third slice: the wait ends there.
                             SliceRow{{0, 200000}, {0, 0, 1}, 1, {50000, 50000, 50000}},
                             // An error ends it too.
                             SliceRow{{1, 0}, {net::kSocketError}, net::kSocketError, {50000}},
                             // A rest shorter than a slice, and a poll.
                             SliceRow{{0, 120000}, {}, 0, {50000, 50000, 20000}},
                             SliceRow{{0, 0}, {}, 0, {0}}));

TEST(RepaintingSocketApiTest, EverythingElseGoesStraightThrough) {
  SelectScript inner;
  RepaintingSocketApi sockets(inner, [] {});
  const std::uint8_t frame[4] = {0, 2, 0xFF, 0xFD};
  EXPECT_EQ(sockets.socket(net::kAfInet, net::kSockDgram, net::kIpprotoUdp), 7);
  EXPECT_EQ(sockets.sendto(7, frame, {}), 4);
  EXPECT_EQ(sockets.WSAGetLastError(), 10035);
}

class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(RepaintWhileBusyTest, DrawsWhatIsPending) {
  PaintCounter widget;
  widget.resize(50, 20);
  widget.show();
  RepaintWhileBusy();
  const int before = widget.paints;
  widget.update();
  RepaintWhileBusy();
  EXPECT_GT(widget.paints, before);
}

}  // namespace
}  // namespace pscfg::ui

#include "core/address_split.h"

#include <gtest/gtest.h>

#include <vector>

namespace sorvane {
namespace {

TEST(SplitAddress, TheUsualPartsOfAnAddress) {
  const struct {
    const char* address;
    ServiceKind service;
    const char* server;
    const char* object;
    int port;
  } cases[] = {
      {"http://www.example.com/search?q=a+b", ServiceKind::Http, "www.example.com", "/search?q=a+b", 80},
      {"http://www.example.com", ServiceKind::Http, "www.example.com", "/", 80},
      {"http://www.example.com?q=1", ServiceKind::Http, "www.example.com", "/?q=1", 80},
      {"HTTP://Host:8080/x", ServiceKind::Http, "Host", "/x", 8080},
      {"https://secure.example/p", ServiceKind::Https, "secure.example", "/p", 443},
      {"ftp://files.example/pub/", ServiceKind::Ftp, "files.example", "/pub/", 21},
      {"http://user:pw@host.example/a", ServiceKind::Http, "host.example", "/a", 80},
      {"http://[::1]:9000/a", ServiceKind::Http, "[::1]", "/a", 9000},
      {"http://host:/a", ServiceKind::Http, "host", "/a", 80},
      {"gopher://g.example/", ServiceKind::Gopher, "g.example", "/", 70},
      {"weird+scheme://h/x", ServiceKind::Unknown, "h", "/x", 0},
  };
  for (const auto& c : cases) {
    const AddressParts parts = SplitAddress(c.address);
    ASSERT_TRUE(parts.ok) << c.address;
    EXPECT_EQ(parts.service, c.service) << c.address;
    EXPECT_EQ(parts.server, c.server) << c.address;
    EXPECT_EQ(parts.object, c.object) << c.address;
    EXPECT_EQ(parts.port, c.port) << c.address;
  }
}

TEST(SplitAddress, RejectsWhatIsNoAddress) {
  for (const char* address : {"", "www.example.com/search", "://host/", "1http://h/", "http:/h/",
                              "http://h:port/", "http://h:70000/", "http://h:0/", "http://[::1/",
                              "ht tp://h/"}) {
    EXPECT_FALSE(SplitAddress(address).ok) << address;
  }
}

// The server is what follows the last "@" of the authority: a user part may
// itself hold "@", and taking the first would send the request to "b@host".
TEST(SplitAddress, TheServerFollowsTheLastAtSign) {
  for (const char* address : {"http://a@b@host/x", "http://a@b@host:81/x", "http://u:p@w@host/x"}) {
    const AddressParts parts = SplitAddress(address);
    ASSERT_TRUE(parts.ok) << address;
    EXPECT_EQ(parts.server, "host") << address;
    EXPECT_EQ(parts.object, "/x") << address;
  }
  EXPECT_EQ(SplitAddress("http://a@b@host:81/x").port, 81);
  // An "@" in the path is the path's.
  EXPECT_EQ(SplitAddress("http://host/mail@x").server, "host");
}

TEST(SplitAddress, PortsEndAt65535) {
  const AddressParts highest = SplitAddress("http://host:65535/x");
  ASSERT_TRUE(highest.ok);
  EXPECT_EQ(highest.port, 65535);
  EXPECT_FALSE(SplitAddress("http://host:65536/x").ok);
  EXPECT_FALSE(SplitAddress("http://[::1]:65536/x").ok);
  EXPECT_FALSE(SplitAddress("http://host:99999999999999999999/x").ok);
  EXPECT_EQ(SplitAddress("http://host:00080/x").port, 80);
}

TEST(SplitForFetch, RetriesWithHttpAndReportsOnlyWhenBothFail) {
  std::vector<std::string> messages;
  const MessageSink sink = [&](std::string_view message) { messages.emplace_back(message); };

  const AddressParts bare = SplitForFetch("www.example.com/next?p=2", sink);
  EXPECT_TRUE(bare.ok);
  EXPECT_EQ(bare.service, ServiceKind::Http);
  EXPECT_EQ(bare.server, "www.example.com");
  EXPECT_EQ(bare.object, "/next?p=2");
  EXPECT_TRUE(messages.empty());

  const AddressParts broken = SplitForFetch("host:notaport/x", sink);
  EXPECT_FALSE(broken.ok);
  EXPECT_EQ(messages, std::vector<std::string>{"Invalid URL"});
}

}  // namespace
}  // namespace sorvane

#include <gtest/gtest.h>

#include <string>

#include "support/MultipartBody.h"
#include "support/NavigationFilter.h"
#include "support/PageScripts.h"
#include "support/SupportAddresses.h"
#include "support/UnreadReply.h"
#include "support/UploadRules.h"

namespace vsm {
namespace {

const TSupportAddresses kSite("http://support.example");

TEST(SupportAddresses, PagesAndTheIdentityOfTheInstallation) {
  EXPECT_EQ(kSite.Home(), "http://support.example/index.php?to=home");
  EXPECT_EQ(kSite.Question(42), "http://support.example/index.php?to=question&id=42");
  EXPECT_EQ(kSite.UnreadMessages("{1F25-AB}"),
            "http://support.example/index.php?to=fetch-unread-message&guid={1F25-AB}");
  EXPECT_EQ(kSite.Upload(), "http://support.example/index.php?to=upload-file");
  const TSupportIdentity identity{"{1F25-AB}", 7, "1.53.127", "10.0.19045", 0};
  EXPECT_EQ(IdentitySuffix(identity),
            "&guid={1F25-AB}&product_id=7&version=1.53.127&system_info=10.0.19045&vip=0");
  // Until the main window names the installation, the defaults are what the site hears.
  EXPECT_EQ(IdentitySuffix(TSupportIdentity{}), "&guid=TFrmSupport&product_id=1&version=&system_info=&vip=0");
}

TEST(SupportAddresses, FirstPageFollowsTheNumberOfUnreadAnswers) {
  EXPECT_EQ(kSite.FirstPage({}), kSite.Home());
  EXPECT_EQ(kSite.FirstPage({17}), kSite.Question(17));
  EXPECT_EQ(kSite.FirstPage({17, 18}), "http://support.example/index.php?to=my-feedback");
}

TEST(NavigationFilter, QuestionPagesGetTheIdentityAndPseudoLinksBecomeActions) {
  struct Case {
    std::string address;
    TNavigationAction action;
  };
  const Case cases[] = {
      {kSite.Question(5), TNavigationAction::naReopenWithIdentity},
      {kSite.WriteQuestion(), TNavigationAction::naReopenWithIdentity},
      {kSite.WriteQuestion() + "&topic=3", TNavigationAction::naReopenWithIdentity},
      // Once it carries the identity, it opens as it is, so reopening never loops.
      {kSite.Question(5) + IdentitySuffix({}), TNavigationAction::naOpen},
      {kSite.WriteQuestion() + "&guid=x", TNavigationAction::naOpen},
      {kSite.Home(), TNavigationAction::naOpen},
      {kSite.MyFeedback(), TNavigationAction::naOpen},
      {"http://elsewhere.example/index.php?to=question&id=5", TNavigationAction::naOpen},
      {"about:blank", TNavigationAction::naOpen},
      {"javascript:screenshot;", TNavigationAction::naScreenshot},
      {"javascript:add-image;", TNavigationAction::naAddImage},
      {"javascript:add-file;", TNavigationAction::naAddFile},
      {"javascript:add-file", TNavigationAction::naOpen},
      {"javascript:Screenshot;", TNavigationAction::naOpen},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterNavigation(c.address, kSite.Question(), kSite.WriteQuestion()), c.action) << c.address;
  }
}

TEST(PageScripts, FormEncodingKeepsTheSafeBytesOnly) {
  struct Case {
    std::string answer;
    std::string encoded;
  };
  const Case cases[] = {
      {"{\"ok\":1}", "%7b%22ok%22%3a1%7d"},
      {"a b", "a+b"},
      {"AZaz09!$'()*-.@_", "AZaz09!$'()*-.@_"},
      {"\r\n\t\x01", "%0d%0a%09%01"},
      {"\xC3\xA4\xFF", "%c3%a4%ff"},
      {"&=+/%~", "%26%3d%2b%2f%25%7e"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormEncode(c.answer), c.encoded) << c.answer;
}

TEST(PageScripts, CallsCarryTheNameAndTheEncodedAnswer) {
  EXPECT_EQ(UploadBeginScript("shot.png", ".png"), "uploadBegain(\"shot.png\", \".png\")");
  EXPECT_EQ(UploadCallbackScript("a b.zip", "{\"ok\":1}"),
            "uploadCallback(\"a b.zip\", \"%7b%22ok%22%3a1%7d\")");
  // A name can never end the script's string early.
  EXPECT_EQ(UploadBeginScript("x\"y\\z\n\xE2\x80\xA8.png", ""),
            "uploadBegain(\"x\\u0022y\\u005cz\\u000a\\u2028.png\", \"\")");
  EXPECT_EQ(UploadBeginScript("\xE4\xBD\xA0.png", ".png"), "uploadBegain(\"\xE4\xBD\xA0.png\", \".png\")");
}

TEST(UploadRules, FiveMegabytesAreTheLimitAndAnEmptyAnswerIsAFailure) {
  EXPECT_TRUE(UploadSizeAllowed(0));
  EXPECT_TRUE(UploadSizeAllowed(5242880));
  EXPECT_FALSE(UploadSizeAllowed(5242881));
  EXPECT_EQ(UploadAnswerOrFailure(""), "{\"err\":\"upload failure\"}");
  EXPECT_EQ(UploadAnswerOrFailure("{\"ok\":1}"), "{\"ok\":1}");
}

TEST(MultipartBody, OneFilePartWithItsExactBytes) {
  const std::string bytes("\x89PNG\r\n\x1A\n\0\xFF", 10);
  const TMultipartBody multipart = MultipartFileBody("file", "vesk1A.tmp.png", bytes, 0x1234);
  const std::string boundary = "----------VeskFormBoundary00001234";
  EXPECT_EQ(multipart.contentType, "multipart/form-data; boundary=" + boundary);
  EXPECT_EQ(multipart.body,
            "--" + boundary +
                "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"vesk1A.tmp.png\"\r\n"
                "Content-Type: image/png\r\nContent-Transfer-Encoding: binary\r\n\r\n" +
                bytes + "\r\n--" + boundary + "--\r\n");
}

TEST(MultipartBody, TheBoundaryNeverOccursInTheFileAndNamesCannotBreakTheHeader) {
  const std::string taken = "----------VeskFormBoundary00000001";
  const TMultipartBody multipart = MultipartFileBody("file", "a\"b\r\n.zip", "x" + taken + "y", 1);
  const std::string boundary = multipart.contentType.substr(multipart.contentType.find('=') + 1);
  EXPECT_NE(boundary, taken);
  EXPECT_EQ(std::string("x" + taken + "y").find(boundary), std::string::npos);
  EXPECT_NE(multipart.body.find("filename=\"a%22b%0D%0A.zip\"\r\nContent-Type: application/zip\r\n"),
            std::string::npos);
  EXPECT_EQ(FileContentType("PHOTO.JPEG"), "image/jpeg");
  EXPECT_EQ(FileContentType("notes"), "application/octet-stream");
}

TEST(UnreadReply, CountsWhatCanBeRead) {
  struct Case {
    std::string reply;
    std::vector<int32_t> ids;
  };
  const Case cases[] = {
      {R"([{"id":3},{"id":9,"title":"x"}])", {3, 9}},
      {R"([])", {}},
      {R"([{"id":"3"},{"id":4.5},{"id":7},{"name":1},5,null,[{"id":1}],{"id":2147483648}])", {7}},
      {R"({"id":3})", {}},
      {R"([{"id":3})", {}},
      {"", {}},
      {std::string(2 << 20, '['), {}},
      {std::string(400000, '[') + std::string(400000, ']'), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseUnreadIds(c.reply), c.ids) << c.reply.substr(0, 60);
}

}  // namespace
}  // namespace vsm

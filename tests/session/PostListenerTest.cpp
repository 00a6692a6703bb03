#include <gtest/gtest.h>

#include "session/PostDocListener.h"
#include "session/PostListenerDlg.h"
#include "session/PostViewListener.h"
#include "session/PostViewOptAPI.h"

class CDocument {};
class CView {};

namespace {

using TLog = std::vector<std::string>;

class CDocProbe : public IPostDocListener {
public:
  CDocProbe(std::string name, const CDocument* pDoc, TLog& log)
      : m_name(std::move(name)), m_pDoc(pDoc), m_log(log) {}
  const CDocument* GetDocument() const override { return m_pDoc; }
  void OnPostDocUpdate(const CDocument*, pvk::E_PDOC_UPDATE type, std::uint64_t a,
                       std::uint64_t b) override {
    m_log.push_back(m_name + ":" + std::to_string(type) + ":" + std::to_string(a) + ":" +
                    std::to_string(b));
    // A copy, since the call may delete this listener with its callback.
    if (const std::function<void()> call = onUpdate) call();
  }
  std::function<void()> onUpdate;

private:
  std::string m_name;
  const CDocument* m_pDoc;
  TLog& m_log;
};

class CDlgProbe : public IPostListenerDlg {
public:
  bool IsWindow() const override { return window; }
  void PostClose() override { ++closeRequests; }
  bool window = true;
  int closeRequests = 0;
};

class CViewProbe : public IPostViewListener {
public:
  CViewProbe(std::string name, const CView* pView, IPostListenerDlg* pDlg, TLog& log)
      : m_name(std::move(name)), m_pView(pView), m_pDlg(pDlg), m_log(log) {}
  IPostListenerDlg* GetPostListenerDlg() override { return m_pDlg; }
  const CView* GetView() const override { return m_pView; }
  void OnPostViewUpdate(const CView*, const pvk::E_PVIEW_UPDATE& type,
                        std::uint64_t param) override {
    m_log.push_back(m_name + ":" + std::to_string(type) + ":" + std::to_string(param));
  }

private:
  std::string m_name;
  const CView* m_pView;
  IPostListenerDlg* m_pDlg;
  TLog& m_log;
};

TEST(PostDocListener, RegisteredFromConstructionToDestructionAndFilteredByDocument) {
  CDocument doc, other;
  TLog log;
  {
    CDocProbe all("all", nullptr, log), mine("mine", &doc, log), theirs("theirs", &other, log);
    EXPECT_EQ(IPostDocListener::GetInstanceList().size(), 3u);
    IPostDocListener::DoPostDocUpdate(&doc, static_cast<pvk::E_PDOC_UPDATE>(2), 7, 9);
    IPostDocListener::DoPostDocUpdate(nullptr, static_cast<pvk::E_PDOC_UPDATE>(3), 1, 0);
  }
  EXPECT_TRUE(IPostDocListener::GetInstanceList().empty());
  EXPECT_EQ(log, (TLog{"all:2:7:9", "mine:2:7:9", "all:3:1:0"}));
}

TEST(PostDocListener, ListenersLeavingDuringABroadcastAreSkippedSafely) {
  CDocument doc;
  TLog log;
  auto first = std::make_unique<CDocProbe>("first", nullptr, log);
  auto second = std::make_unique<CDocProbe>("second", nullptr, log);
  auto third = std::make_unique<CDocProbe>("third", nullptr, log);
  std::unique_ptr<CDocProbe> late;
  // The first deletes itself and the third and registers a new one; the new one waits for
  // the next broadcast.
  first->onUpdate = [&] {
    third.reset();
    late = std::make_unique<CDocProbe>("late", nullptr, log);
    first.reset();
  };
  IPostDocListener::DoPostDocUpdate(&doc, static_cast<pvk::E_PDOC_UPDATE>(1), 0, 0);
  IPostDocListener::DoPostDocUpdate(&doc, static_cast<pvk::E_PDOC_UPDATE>(5), 0, 0);
  EXPECT_EQ(log, (TLog{"first:1:0:0", "second:1:0:0", "second:5:0:0", "late:5:0:0"}));
}

TEST(PostViewListener, OnlyUndeformListenersCloseTheirDialogWhenTheViewDeforms) {
  CView view, other;
  CDlgProbe dlg, closedDlg;
  closedDlg.window = false;
  TLog log;
  CViewProbe plain("plain", nullptr, &dlg, log), undeform("undeform", &view, &dlg, log);
  CViewProbe noDlg("noDlg", nullptr, nullptr, log), gone("gone", nullptr, &closedDlg, log);
  CViewProbe elsewhere("elsewhere", &other, &dlg, log);
  for (CViewProbe* p : {&undeform, &noDlg, &gone}) p->SetOnlyUndeform(1);

  for (const std::int32_t type : {3, 4}) {
    const pvk::E_PVIEW_UPDATE update = static_cast<pvk::E_PVIEW_UPDATE>(type);
    IPostViewListener::DoPostViewUpdate(&view, update, 11);
  }
  EXPECT_EQ(log, (TLog{"plain:3:11", "undeform:3:11", "noDlg:3:11", "gone:3:11", "plain:4:11"}));
  EXPECT_EQ(dlg.closeRequests, 1);
  EXPECT_EQ(closedDlg.closeRequests, 0);
}

class CViewOpt : public IPostViewOptAPI {
  void HostViewOption01() override {}
  void HostViewOption02() override {}
  void HostViewOption03() override {}
  void HostViewOption04() override {}
  void HostViewOption05() override {}
  void HostViewOption06() override {}
  void HostViewOption07() override {}
  void HostViewOption08() override {}
  void HostViewOption09() override {}
  void HostViewOption10() override {}
  void HostViewOption11() override {}
  void HostViewOption12() override {}
  void HostViewOption13() override {}
  void HostViewOption14() override {}
  void HostViewOption15() override {}
  void HostViewOption16() override {}
  void HostViewOption17() override {}
  void HostViewOption18() override {}
  void HostViewOption19() override {}
  void HostViewOption20() override {}
  void HostViewOption21() override {}
  void HostViewOption22() override {}
  void HostViewOption23() override {}
  void HostViewOption24() override {}
  void HostViewOption25() override {}
  void HostViewOption26() override {}
  void HostViewOption27() override {}
  void HostViewOption28() override {}
  void HostViewOption29() override {}
};

TEST(PostViewOptAPI, TheHostsObjectIsTheInstanceWhileItLives) {
  EXPECT_EQ(IPostViewOptAPI::GetInstance(), nullptr);
  {
    CViewOpt first;
    EXPECT_EQ(IPostViewOptAPI::GetInstance(), &first);
    {
      CViewOpt second;
      EXPECT_EQ(IPostViewOptAPI::GetInstance(), &second);
    }
    EXPECT_EQ(IPostViewOptAPI::GetInstance(), nullptr);
  }
  EXPECT_EQ(IPostViewOptAPI::GetInstance(), nullptr);
}

}  // namespace

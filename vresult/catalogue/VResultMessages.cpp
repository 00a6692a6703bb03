#include "vresult/catalogue/VResultMessages.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "base/MessageTable.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

using zar::lib::MMSGFunction;
using zar::lib::TMsgText;

constexpr TMsgText kPhaseAngleText = {L"IDS_LEGEND_PHASE_ANGLE", L" (Phase Angle)"};

// Texts of keys outside the "IDS_VRES_" / "IDS_LEGEND_VRES_" pattern ("IDS_VR_CFN1_...",
// "IDS_LEGEND_REACTION_FORCE_TOTAL") read like those of the pattern.
const wchar_t* OwnText(std::wstring_view key, std::deque<std::wstring>& store) {
  for (std::wstring_view prefix : {L"IDS_VRES_", L"IDS_LEGEND_VRES_"})
    if (key.starts_with(prefix)) return nullptr;
  for (std::wstring_view prefix : {L"IDS_VR_", L"IDS_LEGEND_"}) {
    if (!key.starts_with(prefix)) continue;
    std::wstring patterned = L"IDS_VRES_";
    patterned += key.substr(prefix.size());
    store.push_back(MMSGFunction::TextFromKey(patterned.c_str()).str());
    return store.back().c_str();
  }
  return nullptr;  // "IDS_SHELL_..." reads well as it is
}

std::vector<TMsgText> BuildTexts(std::deque<std::wstring>& store) {
  std::vector<TMsgText> texts;
  texts.reserve(2 * GetVResultCatalogue().size() + 1);
  for (const TVResCatalogueRow& row : GetVResultCatalogue()) {
    texts.push_back({row.pszNameKey, OwnText(row.pszNameKey, store)});
    texts.push_back({row.pszLegendKey, OwnText(row.pszLegendKey, store)});
  }
  texts.push_back(kPhaseAngleText);
  return texts;
}

}  // namespace

void RegisterVResultTexts() {
  static const bool bRegistered = [] {
    // The message table keeps the text pointers: the storage lives as long as the process.
    static std::deque<std::wstring> store;
    static const std::vector<TMsgText> texts = BuildTexts(store);
    MMSGFunction::RegisterTexts(texts.data(), texts.size());
    return true;
  }();
  (void)bRegistered;
}

namespace {

// Hosts may look the keys up before any catalogue query runs.
const bool kTextsRegisteredAtLoad = (RegisterVResultTexts(), true);

}  // namespace

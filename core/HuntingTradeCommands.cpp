// Handlers of hunting, buying, archaeology, music, ducats, relic shards,
// surface search and the casket.
#include <algorithm>
#include <limits>

#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

// first + (first + 3) + ... for `hunts` hunts: the k-th extra hunt of a row
// costs step + 3k. Saturates instead of overflowing for absurd counts.
long long HuntSeries(long long first, long long step, long long hunts) {
  const __int128 n = std::max<long long>(0, hunts - 1);
  const __int128 sum = first + step * n + 3 * n * (n + 1) / 2;
  return static_cast<long long>(std::min<__int128>(sum, std::numeric_limits<long long>::max()));
}

void Hunt(HandlerContext& c) {  // vd
  long long earlier = 0;
  for (int r = 1; r < c.Row(); ++r) earlier += c.StateOf(r).huntCount;
  const long long base = 10 + 3 * earlier;
  const int repeat = c.Above().repeatCount;
  c.State().huntCount = repeat != 0 ? repeat : 1;
  c.SetTVP(HuntSeries(base, 10, c.State().huntCount));
  c.D(1) = "Vadászni indulsz"_w;
  if (c.Valid(1)) {  // a chosen prey
    c.D(1) = "Vadászni fogsz a következőre:"_w;
    c.D(2) = c.Monster(1);
    c.SetTVP(HuntSeries(base + 5, 15, c.State().huntCount));
  }
}

void Buy(HandlerContext& c) {  // ve
  if (!c.Valid(1)) return;
  if (c.Value(1) == 218) {  // the ducat merchant is not the trader
    c.D(1) = "Megveszed a dukátkereskedőtől:"_w;
    long long cost = 0;
    for (int k = 2; k <= 6; ++k) {
      if (c.Valid(k)) cost += 5;
      c.D(k) = c.Item(k);
    }
    c.SetTVP(cost);
    return;
  }
  c.SetTVP(c.Above().atTrader ? "0" : "5");
  c.D(1) = "Megveszed a következő tárgyakat:"_w;
  c.D(2) = c.Item(1);
  c.State().atTrader = true;
  c.PrefixCount(2, 2, false);
}

void BuyMany(HandlerContext& c) {  // vee
  c.D(1) = "Megveszed a következő tárgyakat:"_w;
  int previous = 0;
  long long cost = 0;
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    if (previous != 0) {  // the last valid entry is the quantity
      c.D(k) = c.Item(previous);
      c.D(k + 1) = "mindegyikből "_w + c.P(k) + " darabot";
    } else {
      c.D(k + 1) = c.Item(k);
    }
    previous = k;
    cost = c.Above().atTrader ? 0 : 5;
    c.State().atTrader = true;
  }
  c.SetTVP(cost);
}

void BuyFromCharacter(HandlerContext& c) {  // vg
  if (c.Valid(1)) {
    c.SetTVP("0");
    c.D(1) = "Felajánlod, hogy vásárolsz tőle:"_w;
    c.D(2) = c.Character(1);
  }
  if (c.Valid(2)) c.D(3) = c.Item(2);
  c.PrefixCount(3, 3, true);
}

void Music(HandlerContext& c) {  // z
  const int instrument = c.Valid(1) ? c.Value(1) : 0;
  if (c.Valid(1)) c.D(1) = c.Item(1) + "-t használod"_w;
  if (c.Valid(2) && c.Value(2) >= 10) {
    c.SetTVP(c.RepeatedParameter(2));
    c.D(2) = c.P(2) + " TVP-ért"_w;
  }
  if (c.Valid(3) && c.Value(3) >= 10 && instrument == 588) {
    c.D(3) = "Dudálni fogsz a következőre: "_w;
    c.D(4) = c.Monster(3);
  }
}

void Ducats(HandlerContext& c) {  // ad
  c.D(1) = "Aranydukátot szerzel:"_w;
  bool pending = false, work = false;
  for (int k = 1; k <= 6; ++k) {
    const int v = c.Value(k);
    std::string_view currency;
    switch (v) {
      case 1: currency = "aranyat váltasz"_w; break;
      case 8: currency = "őskövet váltasz"_w; break;
      case 10: currency = "dolgozol érte"_w; break;
      case 210: currency = "varázskövet váltasz"_w; break;
      case 218: currency = "fekete dukátot váltasz"_w; break;
      case 277: currency = "pszí követ váltasz"_w; break;
      default: break;
    }
    work = work || v == 10;
    if (!currency.empty()) {
      c.D(k + 1) = std::string(currency);
      pending = true;
    } else if (pending && v >= 1) {
      c.D(k + 1) = Dec(v) + " db-ot.";
      pending = false;
    }
  }
  c.SetTVP(work ? "10" : "0");
}

void SurfaceSearch(HandlerContext& c) {  // ftk
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const int v = c.Value(k);
    if (InRange(v, 1, 4)) c.D(k + 1) = tables::SurfaceSearchNames()[v] + "."_w;
    if (v >= 508) c.D(k + 1) = "Keresel: "_w + c.Item(k);
  }
}

void Casket(HandlerContext& c) {  // lr
  c.D(1) = "(Berakod\\Kicseréled)"_w;
  for (int k = 1; k <= 6; ++k) {
    if (c.Value(k) == 552)
      c.Caption() = "Northeni szütyőbe ital rejtése"_w;
    else if (c.Valid(k))
      c.D(k + 1) = c.Item(k);
  }
}

}  // namespace

void RegisterHuntingTradeCommands(HandlerTable& t) {
  t.Add("vd", Hunt);
  t.Add("ve", Buy);
  t.Add("vee", BuyMany);
  t.Add("vg", BuyFromCharacter);
  t.Add("x", [](HandlerContext& c) {
    if (!c.Valid(1) || c.Value(1) < 10) return;
    c.SetTVP(c.RepeatedParameter(1));
    c.D(1) = c.P(1) + " TVP-ért kutakodsz"_w;
  });
  t.Add("z", Music);
  t.Add("ad", Ducats);
  t.Add("rsz", [](HandlerContext& c) {
    c.D(1) = "Relikviaszilánk szerzése:"_w;
    for (int k = 1; k <= 6; ++k) {
      const auto v = c.Int(k);
      if (v && (InRange(*v, 593, 639) || InRange(*v, 656, 660))) c.D(k + 1) = c.Item(k);
    }
  });
  t.Add("ftk", SurfaceSearch);
  t.Add("lr", Casket);
}

}  // namespace mv

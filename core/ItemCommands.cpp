// Handlers of the commands about items, trade with the trader and the auction.
#include "core/CommandHandlers.h"
#include "core/Potions.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

// A heading and one item per valid parameter (P1 -> D2 .. P6 -> D7).
int ItemList(HandlerContext& c, std::string_view heading) {
  c.D(1) = std::string(heading);
  return c.ListLines(1, 1, [&](int k) { return c.Item(k); });
}

// ee and ert: selling at the trader costs the entry unless already there.
void TraderList(HandlerContext& c, std::string_view heading) {
  const int valid = ItemList(c, heading);
  if (valid > 0) c.State().atTrader = true;
  c.SetTVP(valid > 0 && !c.Above().atTrader ? "5" : "0");
}

void Give(HandlerContext& c) {  // a
  c.D(1) = "Az összes A és VG parancs törlése"_w;
  if (c.Valid(1)) {
    c.D(1) = "Törlöd a rá vonatkozó A és VG parancsot:"_w;
    c.D(2) = c.Character(1);
  }
  if (c.Valid(2)) {
    c.D(1) = "Tárgyakat eladásra kínálsz fel neki:"_w;
    c.D(3) = c.Item(2);
  }
  c.PrefixCount(3, 3, true);
  if (c.Valid(4)) {
    c.D(4) = "Cserébe ezt kéred:"_w;
    c.D(5) = c.Item(4);
  }
  c.PrefixCount(5, 5, true);
}

// ea and auk: the first sale at the trader (or the auction) costs the entry.
void SaleAt(HandlerContext& c, bool RowFlags::*place, std::string_view heading) {
  if (c.Valid(1)) {
    c.SetTVP(c.Above().*place ? "0" : "5");
    c.D(1) = std::string(heading);
    c.D(2) = c.Item(1);
    c.State().*place = true;
  }
}

void Auction(HandlerContext& c) {  // auk
  SaleAt(c, &RowFlags::atAuction, "Aukcióra bocsáltod a köv. tárgya(ka)t:"_w);
  c.PrefixCount(2, 2, true);
  if (c.Valid(3)) c.D(3) = c.P(3) + " arany kikiáltási áron"_w;
}

void Drop(HandlerContext& c) {  // d
  if (c.Valid(1)) {
    c.D(1) = "Eldobod a következő tárgya(ka)t:"_w;
    c.D(2) = c.Item(1);
  }
  c.PrefixCount(2, 2, false);
}

void Sell(HandlerContext& c) {  // ea
  SaleAt(c, &RowFlags::atTrader, "Eladod a következő tárgya(ka)t:"_w);
  c.PrefixCount(2, 2, false);
}

void UseItem(HandlerContext& c) {  // h
  const int used = c.Valid(1) ? c.Value(1) : 0;
  if (c.Valid(1)) {
    switch (used) {
      case 8: c.D(1) = "Őskővel növeled a köv. tulajdonságod:"_w; break;
      case 14:
        c.D(1) = "Varázsitalfőzés"_w;
        c.SetTVP("5");
        break;
      case 210: c.D(1) = "Varázskővel növeled a köv. varázslatod:"_w; break;
      case 277: c.D(1) = "Pszi kővel növeled a köv. képességed:"_w; break;
      case 521: c.D(1) = "Fortuna kiskorsójába dobod:"_w; break;
      case 672: c.D(1) = "Mágustókenért megtanulod:"_w; break;
      default:
        c.SetTVP("vált"_w);
        c.D(1) = "Használni akarod a köv. tárgya(ka)t:"_w;
        c.D(2) = c.Item(1);
    }
  }
  if (c.Valid(2)) {
    const int v = c.Value(2);
    if (used == 8) {
      if ((v >= 1 && v <= 6) || (v >= 10 && v <= 34) || (v >= 45 && v <= 74))
        c.D(2) = AttributeName(v);
      else if (v >= 100 && v <= 999)
        c.D(2) = c.P(2) + ". képesség"_w;
      else if (v >= 1001 && v <= 9999)
        c.D(2) = c.Names().SpellName(Dec(v - 1000));
    } else if (used == 210) {
      c.D(2) = c.Spell(2);
    } else if (used == 14) {
      if (v < 20) {
        c.D(2) = c.P(2) + " db  varázsital főzése"_w;
        c.SetTVP(5LL * v);
      }
    } else if (used == 521) {
      c.D(2) = c.Item(2);
    } else if (used == 277 && v >= 128 && v <= 133) {
      c.D(2) = std::string(tables::PsiAttackNames()[v]);
    } else if (used == 672) {
      c.D(2) = c.Spell(2);
      c.SetTVP("30");
    } else {
      c.D(2) = c.Names().ItemName(Dec(used));  // the item used on another one
      c.D(3) = c.Item(2);
    }
  }
  if (used != 8 && used != 210 && used != 277 && used != 521) c.ListLines(3, 1, [&](int k) { return c.Item(k); });
}

void PickUp(HandlerContext& c) {  // kf
  bool afterItem = false;
  int valid = 0;
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    ++valid;
    const int v = c.Value(k);
    if (v <= 99 || v >= 128) {
      c.D(k + 1) = c.Item(k);
      afterItem = true;
    } else if ((v - 100) % 3 == 0 && k != 1 && afterItem) {  // a limb for the item before
      c.D(k + 1) = "a "_w + c.P(k) + ". végtagodba veszed"_w;
      afterItem = false;
    }
  }
  c.D(1) = valid == 0 ? "Az összes tárgyat felveszed"_w : "A következő tárgya(ka)t akarod felvenni:"_w;
}

void Craft(HandlerContext& c) {  // kt
  auto item = [&](int k) { return c.Valid(k) ? c.Item(k) : std::string(); };
  const std::string x = item(1), y = item(2), z = item(3), w = item(4);
  if (c.Valid(1)) {
    c.SetTVP("10");
    c.D(1) = x + " elkészítése"_w;
  }
  if (c.Valid(2)) {  // herb exchange: three of one kind, two and one, or one each
    c.SetTVP("2");
    c.D(1) = "Gyógyfű csere"_w;
    c.D(2) = x + " -t kérsz"_w;
    c.D(3) = "3 db "_w + y + " -t adsz"_w;
  }
  if (c.Valid(3)) {
    c.D(3) = "2 db "_w + y + " -t és"_w;
    c.D(4) = z + " -t adsz"_w;
  }
  if (c.Valid(4)) {
    c.D(3) = y + " -t,"_w;
    c.D(4) = z + " -t és"_w;
    c.D(5) = w + " -t adsz"_w;
  }
}

void PutDown(HandlerContext& c) {  // le
  if (ItemList(c, "Az összes tárgyat leteszed"_w) > 0) c.D(1) = "A következő tárgya(ka)t akarod letenni:"_w;
}

void PutDownForTurns(HandlerContext& c) {  // lee
  c.D(1) = "Az összes tárgyat leteszed"_w;
  int valid = 0;
  if (c.Valid(1)) {
    c.D(2) = c.P(1) + " körig leteszed:"_w;
    ++valid;
  }
  valid += c.ListLines(2, 1, [&](int k) { return c.Item(k); });
  if (valid > 0) c.D(1) = "A következő tárgya(ka)t akarod letenni:"_w;
}

void Bid(HandlerContext& c) {  // lic
  if (c.Valid(1)) {
    c.D(1) = "Licitálsz a következő tárgy(ak)ra:"_w;
    c.D(2) = c.Item(1);
  }
  c.PrefixCount(2, 2, false);
  if (c.Valid(3)) c.D(3) = c.P(3) + " aranyért"_w;
  if (c.Valid(4)) c.D(4) = "de maximum "_w + c.P(4) + " aranyért"_w;
}

}  // namespace

void RegisterItemCommands(HandlerTable& t) {
  t.Add("a", Give);
  t.Add("auk", Auction);
  t.Add("az", [](HandlerContext& c) { c.SetTVPRepeated(2LL * ItemList(c, "Azonosítod a köv. tárgya(ka)t:"_w)); });
  t.Add("d", Drop);
  t.Add("dd", [](HandlerContext& c) { ItemList(c, "Eldobod az összes ilyen tárgyadat:"_w); });
  t.Add("ea", Sell);
  t.Add("ee", [](HandlerContext& c) { TraderList(c, "Eladod az összes ilyen tárgyadat:"_w); });
  t.Add("ert", [](HandlerContext& c) { TraderList(c, "Felértékelteted a következő tárgya(ka)t:"_w); });
  t.Add("h", UseItem, {.keepsTVP = true, .after = PotionRecipeHint});
  t.Add("j", [](HandlerContext& c) { c.SetTVPRepeated(10LL * ItemList(c, "Megjavítod a következő tárgya(ka)t:"_w)); });
  t.Add("kf", PickUp);
  t.Add("kt", Craft);
  t.Add("le", PutDown);
  t.Add("lee", PutDownForTurns);
  t.Add("lic", Bid);
}

}  // namespace mv

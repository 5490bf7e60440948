//+------------------------------------------------------------------+
//| SampleTrendTrader.mq4: opens one position in the direction of    |
//| the SampleTrend indicator when its slope turns, with a fixed     |
//| stop loss and take profit. A teaching example, not advice.       |
//+------------------------------------------------------------------+
#property copyright "XA Setup sample package"
#property strict

input int    InpPeriod = 34;       // Period of SampleTrend
input double InpLots = 0.10;       // Position size in lots
input int    InpStopPoints = 300;  // Stop loss in points
input int    InpTakePoints = 600;  // Take profit in points
input int    InpMagic = 20260131;  // Number marking this Expert's orders

datetime last_bar = 0;

// Slope of the indicator's average on the bar `shift`: +1 rising, -1 falling.
int Slope(int shift) {
  const double up = iCustom(NULL, 0, "SampleTrend", InpPeriod, MODE_EMA, PRICE_CLOSE, 0, shift);
  return up != EMPTY_VALUE ? 1 : -1;
}

bool HasOpenPosition() {
  for (int i = OrdersTotal() - 1; i >= 0; i--) {
    if (OrderSelect(i, SELECT_BY_POS, MODE_TRADES) && OrderSymbol() == Symbol() &&
        OrderMagicNumber() == InpMagic)
      return true;
  }
  return false;
}

void OnTick() {
  if (Time[0] == last_bar)
    return;
  last_bar = Time[0];
  if (HasOpenPosition())
    return;
  const int now = Slope(1);
  if (now == Slope(2))
    return;
  RefreshRates();
  if (now > 0) {
    if (OrderSend(Symbol(), OP_BUY, InpLots, Ask, 3, Ask - InpStopPoints * Point,
                  Ask + InpTakePoints * Point, "SampleTrend", InpMagic, 0, clrLimeGreen) < 0)
      Print("Buy failed: ", GetLastError());
  } else {
    if (OrderSend(Symbol(), OP_SELL, InpLots, Bid, 3, Bid + InpStopPoints * Point,
                  Bid - InpTakePoints * Point, "SampleTrend", InpMagic, 0, clrTomato) < 0)
      Print("Sell failed: ", GetLastError());
  }
}

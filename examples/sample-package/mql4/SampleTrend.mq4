//+------------------------------------------------------------------+
//| SampleTrend.mq4: a moving average drawn in two colours, green    |
//| while it rises and red while it falls.                           |
//+------------------------------------------------------------------+
#property copyright "XA Setup sample package"
#property strict
#property indicator_chart_window
#property indicator_buffers 2
#property indicator_color1 clrLimeGreen
#property indicator_color2 clrTomato
#property indicator_width1 2
#property indicator_width2 2

input int             InpPeriod = 34;         // Averaging period
input ENUM_MA_METHOD  InpMethod = MODE_EMA;   // Averaging method
input ENUM_APPLIED_PRICE InpPrice = PRICE_CLOSE;

double Rising[];
double Falling[];

int OnInit() {
  if (InpPeriod < 2)
    return INIT_PARAMETERS_INCORRECT;
  SetIndexBuffer(0, Rising);
  SetIndexBuffer(1, Falling);
  SetIndexStyle(0, DRAW_LINE);
  SetIndexStyle(1, DRAW_LINE);
  SetIndexLabel(0, "Trend up");
  SetIndexLabel(1, "Trend down");
  IndicatorShortName("SampleTrend(" + IntegerToString(InpPeriod) + ")");
  return INIT_SUCCEEDED;
}

int OnCalculate(const int rates_total, const int prev_calculated, const datetime& time[],
                const double& open[], const double& high[], const double& low[],
                const double& close[], const long& tick_volume[], const long& volume[],
                const int& spread[]) {
  if (rates_total <= InpPeriod + 1)
    return 0;
  int limit = rates_total - prev_calculated;
  if (prev_calculated > 0)
    limit++;
  limit = MathMin(limit, rates_total - InpPeriod - 1);
  for (int i = limit; i >= 0; i--) {
    const double now = iMA(NULL, 0, InpPeriod, 0, InpMethod, InpPrice, i);
    const double before = iMA(NULL, 0, InpPeriod, 0, InpMethod, InpPrice, i + 1);
    Rising[i] = EMPTY_VALUE;
    Falling[i] = EMPTY_VALUE;
    if (now >= before) {
      Rising[i] = now;
      Rising[i + 1] = before;
    } else {
      Falling[i] = now;
      Falling[i + 1] = before;
    }
  }
  return rates_total;
}

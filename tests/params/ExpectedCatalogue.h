#pragma once
// The parameter catalogue as the tests expect it, one line per definition record, transcribed from
// the product's parameter tables (not from the plug-in's code). Columns, separated by " | ":
//   name | type | instances | range or choices | default | unit | functions | attribute | options
// type: event, bits, ints, list, number, select, onoff (host state list), testresult, string.
// instances: counts t0xt1xt2xt3, then "once" (one stored value for all) or "from a,b,c,d".
// range: numbers "min .. max step s"; selections the offered identifiers in order, each optionally
// with its text; bits "min .. max bits" and optionally "lowest L highest H".
// default: "x" or "x (b y)" (second default y); texts in quotes; empty for no default.
// options: grp=<group word>, L, G (family 0x10000), fam=<family word>, idx=all|usb, list=<file list
// type>, op=<file operation>, w9=<word 9>, w21=<word 21>.
namespace ExpectedCatalogue {

inline const char* const kTable = R"TABLE(
IdPDbKobraState | onoff | 2x2x1x1 | 0, 1 | 0 | | C | 0x20248202 | grp=0 L
IdPDbKobraType | select | 2x2x1x1 | 0 "User Defined", 1 "SSI", 2 "CPRI", 3 "OBSAI", 4 "DigRF" | 0 | | | 0x20248212 | grp=0 L
IdPDbKobraMode | select | 2x2x1x1 | 0 "Receiver", 1 "Transmitter", 2 "Bidirectional" | 1 | | | 0x20248212 | grp=0
IdPDbKobraSelected | select | 2x2x1x1 | 0 .. 20 | 0 | | C U S | 0x20248212 | grp=0x24 L
IdPiDbKobraSelected | number | 2x2x1x1 | -2147483648 .. 2147483647 step 1 | 0 | count | I O | 0x20248000 | grp=0
IdPDbKobraVariant | select | 2x2x1x1 | 0, 1 | 1 | | | 0x20248212 | grp=0
IdPDbKobraConfigSelected | select | 1x1x1x1 | 0 .. 20 | 0 | | U | 0x20248202 | grp=0 idx=all
IdPiDbKobraConfigSelected | number | 1x1x1x1 | -2147483648 .. 2147483647 step 1 | 0 | count | I O | 0x20248000 | grp=0 idx=all
IdPDbKobraConfigVariant | select | 1x1x1x1 | 0, 1 | 1 | | | 0x20248212 | grp=0 idx=all
IdPDbKobraSerials | list | 2x2x1x1 once | | | | U | 0x20200200 | grp=0 idx=all
IdPDbKobraFpgaLoaded | event | 2x2x1x1 | | | | U | 0x201 | grp=0
IdPDbKobraConfigFirmUpdExec | event | 1x1x1x1 | | | | | 0x201 | grp=0 L
IdPDbKobraConfigPartNumber | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigSerialNumber | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigFirmVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigController | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBoardPN | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBoardSN | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBoardRev | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigCpldVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigFpgaVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigFpgaDigIoVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigFpgaBobVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigPpcVers | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBobType | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBobSN | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0
IdPDbKobraConfigBobRev | string | 1x1x1x1 | | "---" | | | 0x230202 | grp=0

IdPDbLynxState | onoff | 2x2x1x1 | 0, 1 | 0 | | C I O | 0x22248000 | grp=0x24
IdPDbLynxDeviceState | onoff | 2x2x1x1 | 0, 1 | 0 | | U | 0x20248200 | grp=0x24 fam=0x10169
IdPDbLynxDirection | select | 2x2x1x1 | 0, 1 | 1 | | U | 0x20248212 | grp=0x24 G L
IdPDbLynxDirection | select | 2x1x1x1 | 0 | 0 | | U | 0x20248212 | grp=0x24 fam=0x121
IdPDbLynxDirection | select | 2x1x1x1 from 0,1,0,0 | 1 | 1 | | U | 0x20248212 | grp=0x24 fam=0x121
IdPDbLynxLogicType | select | 2x2x1x1 | 0 "LVDS", 1 "LVTTL", 2 "3.3V CMOS", 3 "2.5V CMOS", 4 "1.8V CMOS", 5 "1.5V CMOS", 6 "1.8V SSI", 7 "2.8V SSI", 8 "1.2V CMOS" | 2 (b 0) | | U | 0x20248212 | grp=0x24 L
IdPDbLynxFormat | select | 2x2x1x1 | 0 "Serial", 1 "Parallel" | 1 (b 0) | | U | 0x20248212 | grp=0x24 L
IdPDbLynxIleavMode | select | 2x2x1x1 | 0 "Not Interleaved", 1 "I/Q Interleaved", 2 "Q/I Interleaved" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSigType | select | 2x2x1x1 | 0 "IQ", 1 "IF" | 0 | | C U | 0x20248212 | grp=0x24 L
IdPDbLynxDataType | select | 2x2x1x1 | 0 "Samples", 1 "Pre-FIR Samples" | 0 | | C | 0x20248212 | grp=0x24 L
IdPDbLynxDataNumForm | select | 2x2x1x1 | 0 "2's Complement", 1 "Binary Offset" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataWordSize | number | 2x2x1x1 | 4 .. 18 step 1 | 16 (b 0) | bit | U | 0x20248212 | grp=0x24 L
IdPDbLynxDataBitOrder | select | 2x2x1x1 | 0 "MSB", 1 "LSB" | 1 (b 0) | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataWordAlign | select | 2x2x1x1 | 0 "MSB", 1 "LSB" | 1 (b 0) | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataIQPol | select | 2x2x1x1 | 0 "Positive", 1 "Negative" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataStrobPol | select | 2x2x1x1 | 0 "Positive", 1 "Negative" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataStrobPos | number | 2x2x1x1 | 0 .. 16 step 1 | 0 | | C | 0x20248212 | grp=0x24 L
IdPDbLynxDataNegI | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxDataNegQ | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248212 | grp=0x24 L

IdPDbLynxClocSour | select | 2x2x1x1 | 2 "REF IN", 0 "Internal", 1 "User Interface" | 2 | | C U | 0x20248212 | grp=0x24 L
IdPDbLynxClocRate | number | 2x2x1x1 | 1000 .. 400000000 step 0.001 | 10000000 (b 0) | Hz | C | 0x20248212 | grp=0x24 L
IdPDbLynxClocPhas | select | 2x2x1x1 | 0 "0 deg", 1 "90 deg", 2 "180 deg", 3 "270 deg" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxClocPol | select | 2x2x1x1 | 0 "Positive", 1 "Negative" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxClocSkew | number | 2x2x1x1 | -5e-9 .. 5e-9 step 5e-11 | 0 | s | | 0x20648212 | grp=0x24 L
IdPDbLynxClocInSkew | number | 2x2x1x1 | -5e-9 .. 5e-9 step 5e-11 | 0 | s | C | 0x20248212 | grp=0x24 L
IdPDbLynxRateMode | select | 2x2x1x1 | 0 "SDR", 1 "DDR" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSCRatio | select | 2x2x1x1 | 0 "1", 1 "4/5", 2 "2/5", 3 "1/5", 4 "1/10", 5 "1/20" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSampRate | number | 2x2x1x1 | 31.25 .. 800000000 step 0.001 | 10000000 (b 0) | Hz | O | 0x22348000 | grp=0x24
IdPDbLynxIFFreq | number | 2x2x1x1 | 250 .. 100000000 step 0.001 | 2500000 (b 0) | Hz | O | 0x22348000 | grp=0x24
IdPDbLynxExtRefSour | select | 2x2x1x1 | 0, 1 | 1 | | | 0x20248212 | grp=0x24 L G
IdPDbLynxExtRefFreq | select | 2x2x1x1 | 0 "5 MHz", 1 "10 MHz", 2 "13 MHz" | 1 | | | 0x20248212 | grp=0x24 L G
IdPiDbLynxExtRefFreq | number | 2x2x1x1 | 5000000 .. 13000000 step 1000000 | 10000000 | Hz | I O | 0x22248000 | grp=0x24
IdPDbLynxExtRefFreqVal | number | 2x2x1x1 | 0 .. 2147483647 step 1 | 0 | Hz | O | 0x20248202 | grp=0x24

IdPDbLynxSsiWordSize | number | 2x2x1x1 | 4 .. 24 step 1 | 16 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiCmBitLen | number | 2x2x1x1 | 0 .. 32 step 1 | 0 | | U | 0x20248212 | grp=0x24 L
IdPDbLynxSsiCmData | bits | 2x2x1x1 | 1 .. 32 bits | 0 | | C I O | 0x20620212 | grp=0x24 L
IdPDbLynxSsiSpiDataWrite | bits | 2x2x1x1 | 8 .. 8 bits lowest 0 highest 0xff000000 | 0 | | I U | 0x20620212 | grp=0x24
IdPDbLynxSsiSpiDataRead | bits | 2x2x1x1 | 8 .. 8 bits lowest 0 highest 0xff000000 | 0 | | O | 0x20620212 | grp=0x24
IdPDbLynxSsiSpiClocFreq | select | 2x2x1x1 | 0 " 1.000 MHz", 1 " 2.500 MHz", 2 " 5.000 MHz", 3 " 8.333 MHz", 4 "12.500 MHz", 5 "25.000 MHz" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiSpiClocPhas | select | 2x2x1x1 | 0 "0 deg", 2 "180 deg" | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiFramSyncStat | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiGainAuto | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiChipSelStat | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248212 | grp=0x24 L
IdPDbLynxSsiGainFile | string | 2x2x1x1 | | | | | 0x20230212 | grp=0x24 L list=0xb2 op=1 w21=0x200
IdPDbLynxSsiSpiFile | string | 2x2x1x1 | | | | U | 0x20230212 | grp=0x24 list=0xb2 op=1 w21=0x200
IdPDbLynxSsiHexFileCat | list | 2x2x1x1 | | | | | 0x21330400 | grp=0x24 list=0xb2 op=7
IdPDbLynxSsiCmDataReadExec | event | 2x2x1x1 | | | | U | 0x201 | grp=0x24
IdPDbLynxSsiSpiDataWriteExec | event | 2x2x1x1 | | | | U | 0x201 | grp=0x24
IdPDbLynxSsiSpiDataReadExec | event | 2x2x1x1 | | | | U | 0x201 | grp=0x24
IdPDbLynxSsiSpiFileSendExec | event | 2x2x1x1 | | | | U | 0x201 | grp=0x24

IdPDbLynxTriggerSource | select | 2x2x1x1 | 0 "Auto", 1 "SYNC IN" | 0 | | | 0x20248212 | grp=0x24 G L
IdPDbLynxTriggerDelay | number | 2x2x1x1 | 0 .. 65535 step 1 | 0 | count | | 0x20248212 | grp=0x24 G L
IdPDbLynxTriggerState | select | 2x2x1x1 | 0, 1 | 0 | | O | 0x20648202 | grp=0x24 G
IdPDbLynxTriggerStatus | string | 2x2x1x1 | | | | O | 0x2230000 | grp=0
IdPDbLynxTriggerRestart | event | 2x2x1x1 | | | | | 0x20000201 | grp=0 G L
IdPDbLynxTriggerArm | event | 2x2x1x1 | | | | | 0x20000201 | grp=0 G L

IdPDbLynxTestTxSource | select | 2x2x1x1 | 0 "PRBS", 1 "Counter", 2 "Sine", 3 "ARB1", 4 "ARB2", 5 "ARB3", 6 "ARB4" | 0 | | U | 0x20248212 | grp=0x24 L
IdPDbLynxTestRxSource | select | 2x2x1x1 | 0 "PRBS", 1 "Counter" | 0 | | U | 0x20248202 | grp=0x24 L
IdPDbLynxTestTxPrbs | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248202 | grp=0x24 L
IdPDbLynxTestRxPrbs | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x20248202 | grp=0x24 L
IdPDbLynxTestRxBer | number | 2x2x1x1 | 0 .. 1 step 1e-11 | 0 | | O | 0x20248202 | grp=0x24
IdPDbLynxTestRxIqWords | number | 2x2x1x1 | 0 .. 281474976710655 step 1 | 0 | | O | 0x20248202 | grp=0x24
IdPDbLynxTestSinusGain | number | 2x2x1x1 | -100 .. 0 step 0.01 | 0 | dB | | 0x20248212 | grp=0x24 L
IdPDbLynxTestSinusCwFreq | number | 2x2x1x1 | 0 .. 100000000 step 1 | 10000000 | Hz | C | 0x20248212 | grp=0x24 L
IdPDbLynxTestArbFile | string | 2x2x1x1 | | | | O | 0x22330000 | grp=0x24 list=0xc0
IdPDbLynxTestArbSampRate | number | 2x2x1x1 | 0 .. 2147483647 step 0.001 | 0 | Hz | O | 0x22348000 | grp=0x10024
IdPDbLynxTestArbSamples | number | 2x2x1x1 | 0 .. 2147483647 step 1 | 0 | | O | 0x22348000 | grp=0x10024
IdPDbTestLynxIqConnExec | event | 2x2x1x1 | | | | | 0x201 | grp=0x24 w9=0x88000000
IdPDbTestLynxIqConnError | testresult | 2x2x1x1 | 0, 1, 2, 3 | 3 | | I | 0x248200 | grp=0x24 w21=4
IdPDbTestLynxUiPattStat | onoff | 2x2x1x1 | 0, 1 | 0 | | | 0x248202 | grp=0x24 w9=0x88000000

IdPDbLynxArbFile | string | 2x2x1x4 | | | | I U | 0x22230212 | grp=0x10024 L list=0xc0
IdPDbLynxArbState | onoff | 2x2x1x4 | 0, 1 | 0 | | | 0x20248212 | grp=0x10024 L
IdPDbLynxArbSampRate | number | 2x2x1x4 | 0 .. 2147483647 step 0.001 | 0 | Hz | | 0x22248212 | grp=0x10024
IdPDbLynxArbSamples | number | 2x2x1x4 | 0 .. 2147483647 step 1 | 0 | count | | 0x20248212 | grp=0x10024
IdPDbLynxArbSamplesTotal | number | 2x2x1x4 | 0 .. 64 step 1e-6 | 0 | count | O | 0x22248000 | grp=0x10024
IdPDbLynxArbRms | number | 2x2x1x4 | -2147483648 .. 2147483647 step 0.01 | 0 | dB | | 0x22248212 | grp=0x10024
IdPDbLynxArbPep | number | 2x2x1x4 | -2147483648 .. 2147483647 step 0.01 | 0 | dB | | 0x22248212 | grp=0x10024
IdPDbLynxArbPreset | event | 2x2x1x1 | | | | U | 0x20000201 | grp=0 G L
IdPDbLynxArbReload | event | 2x2x1x1 | | | | U | 0x20000201 | grp=0 G L
IdPDbKobraArbCatName | list | 2x2x1x1 once | | | | | 0x21330400 | grp=0x24 list=0xc0 op=7 idx=all
IdPDbKobraArbDel | string | 2x2x1x1 | | | | | 0x230400 | grp=0 list=0xc0 op=2 idx=all

IdPDbKobraTranRecState | onoff | 2x2x1x2 | 0, 1 | 0 | | | 0x20248202 | grp=0x10 L
IdPDbKobraTranRecSmartState | onoff | 2x2x1x2 | 0, 1 | 0 | | | 0x20248212 | grp=0x10
IdPDbKobraTranRecStatus | select | 2x2x1x2 | 0 "Stopped", 1 "Configured", 2 "Record Done", 3 "Recording", 4 "No Data Signal", 5 "No Trigger Signal" | 0 | | | 0x20248202 | grp=0x10
IdPDbKobraTranRecDataSource | select | 2x2x1x2 | 0 "DIG IQ IN 1", 1 "DIG IQ OUT 2", 2 "ARB 1", 3 "ARB 2", 4 "ARB 3", 5 "ARB 4", 7 "Sine Test Signal" | 0 | | C P | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecDataLength | number | 2x2x1x2 | 512 .. 2048 step 1 | 512 | | U | 0x20248212 | grp=0x10 L
IdPiDbKobraTranRecDataLength | select | 2x2x1x2 | 512 "512", 1024 "1024", 2048 "2048" | 512 | | I O | 0x22248000 | grp=0x10
IdPDbKobraTranRecDecFactor | number | 2x2x1x2 | 1 .. 65536 step 1 | 1 | | | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecSampRate | number | 2x2x1x2 | 1 .. 2147483647 step 0.001 | 10000000 | Hz | | 0x20248202 | grp=0x10
IdPDbKobraTranRecDisplayType | select | 2x2x1x2 | 0 "I/Q", 1 "Vector", 2 "CCDF", 3 "Power Spectrum" | 0 | | | 0x20248212 | grp=0x10
IdPDbKobraTranRecTrigMode | select | 2x2x1x2 | 0 "Continuous", 1 "Single" | 0 | | | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecTrigSource | select | 2x2x1x2 | 0 "Software", 1 "Data Valid", 2 "GP_0 (Marker 0)", 4 "GP_1 (Reserve 0)", 5 "GP_2 (Trigger 0)", 6 "GP_3 (Trigger 1)", 3 "GP_4 (Marker 1)", 7 "GP_5 (Reserve 1)" | 0 | | | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecTrigType | select | 2x2x1x2 | 0 "Rising Edge", 1 "Falling Edge", 2 "High Level", 3 "Low Level" | 0 | | | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecTrigPosition | number | 2x2x1x2 | -100000000 .. 2047 step 1 | 0 | count | C | 0x20248212 | grp=0x10 L
IdPDbKobraTranRecTrigDelay | number | 2x2x1x2 | -2147483648 .. 2147483647 step 1 | 0 | count | O | 0x22248000 | grp=0x10 L
IdPDbKobraTranRecTrigExec | event | 2x2x1x2 | | | | | 0x20000201 | grp=0x10 L
IdPDbKobraTranRecIQData | ints | 2x2x1x2 | | | | | 0x600202 | grp=0x10 op=5
IdPDbKobraRecCatName | list | 2x2x1x1 once | | | | | 0x21330400 | grp=0x24 list=0xc9 op=7 idx=all
IdPDbKobraRecDel | string | 2x2x1x1 | | | | | 0x230400 | grp=0 list=0xc9 op=2 idx=all

IdPDbLynxUsbDevState | onoff | 2x2x1x20 | 0, 1 | 0 | | U | 0x20248200 | grp=0x24 idx=usb
IdPDbLynxUsbBobState | onoff | 1x1x1x20 | 0, 1 | 0 | | U | 0x20248200 | grp=0x24 idx=usb
IdPDbLynxUsbInstrumentState | onoff | 1x1x2x20 | 0, 1 | 0 | | U | 0x20248200 | grp=0x24 idx=usb
IdPDbLynxUsbDevSerialNumber | number | 2x2x1x20 | 0 .. 4294967295 step 1 | 0 | | | 0x20248200 | grp=0x24 idx=usb
IdPDbLynxUsbDevFirmInstalled | string | 2x2x1x20 | | | | O | 0x20220200 | grp=0x24 idx=usb
IdPDbLynxUsbDevFirmUpdExec | event | 2x2x1x20 | | | | | 0x201 | grp=0x24 L idx=usb
IdPDbLynxUsbDevFirmUpdError | onoff | 2x2x1x20 | 0, 1 | 0 | | I | 0x20248202 | grp=0x24 idx=usb w21=4
IdPDbLynxFirmInstalled | string | 2x2x1x1 | | | | | 0x20220200 | grp=0x24
IdPDbLynxFirmSupported | string | 2x2x1x1 once | | | | | 0x20220200 | grp=0x24 idx=all
IdPDbLynxFirmUpdExec | event | 2x2x1x1 | | | | | 0x201 | grp=0x24 L
IdPDbLynxFirmUpdError | onoff | 2x2x1x1 | 0, 1 | 0 | | I | 0x20248202 | grp=0x24 w21=4

IdPDbKobraInstrHwChannel | select | 2x2x1x2 | 0 "TCP/IP", 1 "GPIB", 2 "USB" | 0 | | | 0x20248202 | grp=0
IdPDbKobraInstrGpibAddress | number | 2x2x1x2 | 1 .. 30 step 1 | 6 | | | 0x20248202 | grp=0 L
IdPDbKobraInstrUsbAddress | number | 2x2x1x2 | 100001 .. 999999 step 1 | 100001 | | | 0x20248202 | grp=0 L
IdPDbKobraInstrTcpAddress | string | 2x2x1x2 | | "localhost" | | | 0x230202 | grp=0
IdPDbKobraInstrPort | string | 2x2x1x2 | | "-" | | | 0x230202 | grp=0
IdPDbKobraInstrumentName | string | 2x2x1x2 | | "not connected" | | | 0x230202 | grp=0
IdPDbKobraInstrType | string | 2x2x1x2 | | "-" | | | 0x230202 | grp=0
IdPDbKobraInstrSerialNumber | string | 2x2x1x2 | | "-" | | | 0x230202 | grp=0

IdPDbKobraDiagState | onoff | 1x1x1x1 | 0, 1 | 0 | | C | 0x248200 | grp=0x24
IdPDbKobraDiagPoint | select | 1x1x1x1 | 0 "UI", 1 "2,5V", 2 "AVCC PLL", 3 "AVTT", 4 "AVCC MGT", 5 "+1,8V", 6 "24,0V", 7 "GND", 8 "VIN", 9 "3,3(COM)", 10 "2,5(AUX)", 11 "3,3 (DIV)", 12 "1.0V CORE", 13 "VCO TUNE", 14 "Reserved", 15 "GND1", 16 "PPC Temp", 17 "PPC VCC Int", 18 "PPC VCC Aux" | 0 | | C | 0x248202 | grp=0x24
IdPDbKobraDiagPointDigRf | select | 1x1x1x1 | 0 "-5V", 1 "+5V", 2 "+3.3V", 3 "+2.5V", 4 "+1.2V", 5 "+3.5V LIN", 6 "-2.0V LIN", 7 "-2.5V LIN", 8 "V GPIO GROUP 0", 9 "V GPIO GROUP 1", 10 "V GPIO GROUP 2", 11 "V GPIO GROUP 3", 12 "V GPIO GROUP 4", 13 "V PLL1 VCXO", 14 "V PLL2 VCO", 15 "V DIAG v4 GTX VCM", 16 "V USER SPI", 17 "V GPIO EX", 18 "V DIGRF 112", 19 "V DIGRF 3SE", 20 "V DIGRF 4SE", 21 "V SYSCLK1", 22 "V SYSCLK2", 23 "Temperature (10mV/C)", 24 "DIAG V3 TX1 P", 25 "DIAG V3 TX1 N", 26 "V3 DIFF TX VCM", 27 "V3 DIFF TX OFFS", 28 "DIAG V4 TX1 P", 29 "DIAG V4 TX1 N", 30 "Vref +2.5V", 31 "GND" | 0 | | C | 0x248200 | grp=0x24
IdPDbKobraDiagValue | string | 1x1x1x1 | | "---" | | C O | 0x230202 | grp=0
IdPDbKobraDiagValueDigRf | string | 1x1x1x1 | | "---" | | C | 0x230202 | grp=0
IdPDbKobraDiagLedTest | onoff | 1x1x1x1 | 0, 1 | 0 | | C U | 0x248200 | grp=0x24 L
IdPDbKobraServiceLvdsStart | onoff | 1x1x1x2 | 0, 1 | 0 | | C U | 0x248200 | grp=0x24
IdPDbKobraServiceLvdsSource | select | 1x1x1x2 | 0 "PRBS", 1 "Counter" | 0 | | C U | 0x248200 | grp=0x24
IdPDbKobraServiceLvdsPll | onoff | 1x1x1x1 | 0, 1 | 0 | | | 0x248200 | grp=0x24
IdPDbKobraServiceLvdsDcm | onoff | 1x1x1x1 | 0, 1 | 0 | | | 0x248200 | grp=0x24
IdPDbKobraServiceLvdsNoData | onoff | 1x1x1x1 | 0, 1 | 0 | | | 0x248200 | grp=0x24
IdPDbKobraServiceLvdsReceived | number | 2x2x1x1 | 0 .. 2147483647 step 1 | 0 | | C | 0x20248202 | grp=0x24 G
IdPDbKobraServiceLvdsErrors | number | 2x2x1x1 | 0 .. 2147483647 step 1 | 0 | | C | 0x20248202 | grp=0x24 G
IdPDbKobraServiceLvdsBer | number | 2x2x1x1 | 0 .. 2147483647 step 0.001 | 0 | | C O | 0x20248202 | grp=0x24 G
IdPDbKobraServiceCpriTestExec | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 idx=all
IdPDbKobraServiceCpriTestError | onoff | 1x1x1x1 | 0, 1 | 0 | | O | 0x248200 | grp=0x24 w21=4
IdPDbKobraServiceCpriTestLog | string | 1x1x1x1 | | | | | 0x230202 | grp=0
IdPDbKobraServiceCpriTestLogSave | string | 1x1x1x1 | | | | U | 0x230202 | grp=0 list=0xbb
IdPDbKobraServiceDigRfTestExec | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 idx=all
IdPDbKobraServiceDigRfTestError | onoff | 1x1x1x1 | 0, 1 | 0 | | O | 0x248200 | grp=0x24 w21=4
IdPDbKobraServiceDigRfTestError2 | onoff | 1x1x1x1 | 0, 1 | 0 | | O | 0x248200 | grp=0x24 w21=4
IdPDbKobraServiceDigRfTestLog | string | 1x1x1x1 | | | | | 0x230202 | grp=0
IdPDbKobraServiceDigRfTestLogSave | string | 1x1x1x1 | | | | U | 0x230202 | grp=0 list=0xbb
IdPDbKobraServiceEepromSn | string | 2x2x1x2 | | | | C | 0x230202 | grp=0
IdPDbKobraServiceEepromSnRead | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 L
IdPDbKobraServiceEepromSnCopy | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 L
IdPDbKobraServiceEepromSnWrite | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 L
IdPDbKobraServiceBobEepromSn | string | 2x2x1x2 | | | | C | 0x230202 | grp=0
IdPDbKobraServiceBobEepromSnRead | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 L
IdPDbKobraServiceBobEepromSnWrite | event | 2x2x1x1 | | | | C U | 0x20000201 | grp=0 L

IdPDbLynxPreset | event | 2x2x1x1 | | | | U | 0x20000201 | grp=0x24
IdPDbLynxSav | string | 2x2x1x1 | | | | O U | 0x22200000 | grp=0x24 list=0xbc
IdPDbLynxRcl | string | 2x2x1x1 | | | | U | 0x20200200 | grp=0x24 list=0xbc
IdPDbLynxDel | string | 2x2x1x1 | | | | | 0x20230400 | grp=0x24 list=0xbc op=2
IdPDbLynxCatName | list | 2x2x1x1 once | | | | | 0x21330400 | grp=0x24 list=0xbc op=7 idx=all
IdPDbLynxSavFast | onoff | 2x1x1x1 | 0, 1 | 1 | | | 0x248210 | grp=0x24
)TABLE";

} // namespace ExpectedCatalogue

#!/bin/sh
# Writes cursor_test.bin: a screen drawn with cursor movement, erasing, insert/delete,
# tab stops, wrapping, a scrolling region, origin mode, saved cursor, line drawing and
# colours, in the style of a terminal test program. ansi_screen_test.cpp checks the result
# cell by cell; the comments there name the rows.
E=$(printf '\033')
{
  printf '%s' "${E}c${E}#8${E}[2J${E}]0;Titel${E}\\"
  # row 0: CHA, CUF, CUB
  printf '%s' "${E}[1;1H${E}[10Gg${E}[3Cf${E}[4Db"
  # rows 1-3: a box in the line-drawing set
  printf '%s' "${E}[2;3H${E}(0lqqqqqqqqk${E}(B${E}[3;3H${E}(0x${E}(BHallo${E}[3;12H${E}(0x${E}(B"
  printf '%s\016%s\017%s' "${E}[4;3H${E})0${E}[1m" "mqqqqqqqqj" "${E}[m"
  # row 4: saved cursor, ESC 7/8 and CSI s/u
  printf '%s' "${E}[5;40H${E}7${E}[1;1H${E}8S${E}[5;50H${E}[s${E}[H${E}[uU"
  # rows 5-8: erase in line, delete, insert and erase characters
  printf '%s' "${E}[6;1HABCDEFGHIJ${E}[6;5H${E}[K"
  printf '%s' "${E}[7;1HABCDEFGHIJ${E}[7;5H${E}[1K"
  printf '%s' "${E}[8;1HABCDEFGHIJ${E}[8;3H${E}[2P${E}[8;3H${E}[3@"
  printf '%s' "${E}[9;1H0123456789${E}[9;4H${E}[3X"
  # rows 9-11: default tab stops, a set stop, all stops cleared
  printf '%s' "${E}[10;1HA	B	C"
  printf '%s' "${E}[11;5H${E}H${E}[11;1Hx	y"
  printf '%s' "${E}[3g${E}[12;1Hp	q"
  # rows 12-15: pending wrap, CR while the wrap is pending, autowrap off
  printf '%s' "${E}[13;75H1234567"
  printf '%s\r%s' "${E}[15;80HZ" "W"
  printf '%s' "${E}[?7l${E}[16;78Habcdef${E}[?7h"
  # rows 16-22: a scrolling region 18-21 with text above and below it
  printf '%s' "${E}[17;1Hoben${E}[23;1Hunten"
  printf '%s' "${E}[18;21r${E}[18;1Hr1${E}[19;1Hr2${E}[20;1Hr3${E}[21;1Hr4"
  printf '\n\n'
  printf '%s' "${E}[18;1H${E}M${E}[19;1H${E}[L${E}[18;1H${E}[M"
  printf '%s' "${E}[?6h${E}[2;2HO${E}[?6l${E}[r"
  # rows 21 and 23: CPL, CNL, CUU, CUD, VPA
  printf '%s' "${E}[23;50H${E}[FP${E}[20;70H${E}[E${E}[CN"
  printf '%s' "${E}[24;1Hc${E}[24;30H${E}[3A${E}[3Bd${E}[24de"
  # row 24: colours and attributes
  printf '%s' "${E}[25;1H${E}[1;31mR${E}[0;4;42mG${E}[7mV${E}[0;38;5;196mX${E}[48;2;1;2;3mY"
  printf '%s' "${E}[0;95;104mH${E}[5;22mB${E}[0mN"
  # unknown and oversized sequences, a bell, the reports, the cursor hidden
  printf '%s' "${E}[?1049h${E}[1 q${E}[99999;99999H*"
  printf '\007'
  printf '%s' "${E}[12;34H${E}[6n${E}[5n${E}[c${E}[?25l"
} > "$(dirname "$0")/cursor_test.bin"

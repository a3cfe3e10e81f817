// --help: the usage in English, then in Japanese.
#include <string>

#include "cli/command.h"
#include "dict/history.h"
#include "cli/output.h"
#include "dict/edition.h"

namespace orvetta::cli {
namespace {

std::string helpEnglish() {
    const Edition& past = kEdition1998;
    const Edition& today = historyEdition();
    return std::string(
               "Usage: orvetta-lookup [options] number TEXT\n"
               "       orvetta-lookup [options] city TEXT\n"
               "       orvetta-lookup [options] ward TEXT\n"
               "       orvetta-lookup [--edition E] [--on DATE] [--sjis] dump\n"
               "       orvetta-lookup [--sjis] history NUMBER\n"
               "       orvetta-lookup [--band B] [--mode M] [--skip-via CHARS] [--tsv TABLE | --list AWARD]\n"
               "                      [--confirmed] [--lang en] [--sjis] awards LOGFILE...\n"
               "       orvetta-lookup --help\n"
               "\n"
               "Looks up Japanese places and their JCC/JCG numbers in the built-in place\n"
               "dictionary. A \"velkarad.txt\" in the current directory is merged first, as\n"
               "the desktop program does; its messages go to standard error.\n"
               "\n"
               "  number TEXT     the place whose JCC/JCG number is TEXT (letters in any case)\n"
               "  city TEXT       every city and district whose name contains TEXT\n"
               "  ward TEXT       every ward, town and village whose name contains TEXT\n"
               "  dump            the record array and the two region tables, tab-separated\n"
               "  history NUMBER  every recorded change of NUMBER since ") +
           today.historySince + ", and the changes\n" +
           "                  naming it as successor: date, change, detail\n"
           "  awards LOGFILE...  check ADIF (.adi) and HAMLOG CSV logs against JARL's\n"
           "                  JCC, JCG, KU and WAJA lists, each contact on its own day;\n"
           "                  prints the report (Japanese unless --lang en)\n"
           "\n"
           "  --edition E     the place list: " +
           past.name + " (places of " + past.snapshotDate + ", the default) or\n" + "                  " + today.name +
           " (places of " + today.snapshotDate + ", with their history)\n" +
           "  --on DATE       answer as of DATE (YYYY-MM-DD, " + today.historySince + " to " + today.snapshotDate +
           "):\n"
           "                  old marks and names of that day, later places left out;\n"
           "                  uses the " +
           today.name + " list\n" +
           "  --reading       match the kana readings (hiragana) instead of the kanji names\n"
           "  --pref N        search prefecture N only (1-47; 0 = all)\n"
           "  --area N        search call-area choice N only (1-9 = area 1-9, 10 = area 0;\n"
           "                  0 = all); cannot be combined with --pref other than 0\n"
           "  --exact         match the stored Shift-JIS bytes as typed, nothing folded\n"
           "  --lang ja|en    the language of result lines (en: romaji names, the kanji in\n"
           "                  brackets), of history and awards words and messages, and of\n"
           "                  --help (Japanese by default; --help shows both unless --lang)\n"
           "  --update FILE   read the update file FILE instead of ./velkarad.txt\n"
           "  --no-update     read no update file\n"
           "  --sjis          write Shift-JIS instead of UTF-8; on Linux TEXT is then taken\n"
           "                  as Shift-JIS bytes too\n"
           "  --band B        awards: contacts of ADIF band B only (40m, 70cm, ...)\n"
           "  --mode M        awards: contacts of mode M only (CW, SSB, FT8, ...)\n"
           "  --skip-via CHARS  awards: leave out HAMLOG contacts whose QSL via mark (the\n"
           "                  first byte of the QSL column) is one of CHARS\n"
           "  --tsv TABLE     awards: one table instead of the report, no header line:\n"
           "                  summary, credits, problems, needed or application\n"
           "  --list AWARD    awards: the printable application list of JCC, JCG, KU or WAJA\n"
           "  --confirmed     with --tsv needed: the numbers not yet confirmed; with\n"
           "                  --tsv application or --list: the confirmed numbers only\n"
           "\n"
           "Names and readings are matched folded: full-width and half-width forms, case,\n"
           "katakana and hiragana, and variant kanji compare equal, and with\n"
           "--reading a query in Latin letters also matches the romaji of the readings\n"
           "(sapporo, chuo, tyuuou). A number folds width and case too. An empty TEXT\n"
           "matches every name. Each hit is one line: the number, a tab, the prefecture, the\n"
           "parent city or district, the place with its reading in parentheses, and a\n"
           "mark for places that no longer exist.\n"
           "Exit status: 0 lines printed, 1 nothing found (or no change recorded),\n"
           "2 bad usage, 3 the dictionary could not be loaded, 4 standard output could\n"
           "not be written, 5 a log could not be opened or read (awards; 1 there: the\n"
           "logs hold no Japanese contact).\n"
           "\n";
}

// Shift-JIS, converted like all output; the dates come from the editions.
std::string helpJapanese() {
    const Edition& past = kEdition1998;
    const Edition& today = historyEdition();
    return std::string(
               "\x8eg\x82\xa2\x95\xfb: orvetta-lookup [\x83I\x83v\x83V\x83\x87\x83\x93] number|city|ward \x95\xb6\x8e\x9a\x97\xf1\n"  // 使い方: orvetta-lookup [オプション] number|city|ward 文字列
               "      orvetta-lookup [--sjis] dump\n"
               "      orvetta-lookup [--sjis] history \x94\xd4\x8d\x86\n"  //       orvetta-lookup [--sjis] history 番号
               "      orvetta-lookup [\x83I\x83v\x83V\x83\x87\x83\x93] awards \x83\x8d\x83O\x83t\x83@\x83\x43\x83\x8b...\n"  //       orvetta-lookup [オプション] awards ログファイル...
               "\x93\xe0\x91\xa0\x82\xcc\x92n\x96\xbc\x8e\xab\x8f\x91\x82\xa9\x82\xe7\x92n\x96\xbc\x82\xc6 JCC/JCG \x83i\x83\x93\x83o\x81[\x82\xf0\x92T\x82\xb5\x82\xdc\x82\xb7\x81\x42\n"  // 内蔵の地名辞書から地名と JCC/JCG ナンバーを探します。
               "\x83J\x83\x8c\x83\x93\x83g\x83\x66\x83\x42\x83\x8c\x83N\x83g\x83\x8a\x82\xc9 velkarad.txt \x82\xaa\x82\xa0\x82\xea\x82\xce\x81\x41\x82\xbb\x82\xcc\x93\xe0\x97\x65\x82\xf0\x94\xbd\x89\x66\x82\xb5\x82\xdc\x82\xb7\x81\x42\n"  // カレントディレクトリに velkarad.txt があれば、その内容を反映します。
               "  number \x95\xb6\x8e\x9a\x97\xf1  \x82\xbb\x82\xcc JCC/JCG \x83i\x83\x93\x83o\x81[\x82\xcc\x92n\x96\xbc (\x89p\x8e\x9a\x82\xcc\x91\xe5\x8f\xac\x82\xcd\x8b\xe6\x95\xca\x82\xb5\x82\xc8\x82\xa2)\n"  //   number 文字列  その JCC/JCG ナンバーの地名 (英字の大小は区別しない)
               "  city \x95\xb6\x8e\x9a\x97\xf1    \x96\xbc\x91O\x82\xc9\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x8a\xdc\x82\xde\x8es\x81\x45\x8cS\n"  //   city 文字列    名前に文字列を含む市・郡
               "  ward \x95\xb6\x8e\x9a\x97\xf1    \x96\xbc\x91O\x82\xc9\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x8a\xdc\x82\xde\x8b\xe6\x81\x45\x92\xac\x81\x45\x91\xba\n"  //   ward 文字列    名前に文字列を含む区・町・村
               "  dump           \x8e\xab\x8f\x91\x82\xcc\x91S\x83\x8c\x83R\x81[\x83h\x82\xc6\x92n\x88\xe6\x95\x5c\x82\xf0\x83^\x83u\x8b\xe6\x90\xd8\x82\xe8\x82\xc5\x8fo\x97\xcd\n"  //   dump           辞書の全レコードと地域表をタブ区切りで出力
               "  history \x94\xd4\x8d\x86   \x82\xbb\x82\xcc\x94\xd4\x8d\x86\x82\xcc\x95\xcf\x8dX\x97\x9a\x97\xf0 (") +  //   history 番号   その番号の変更履歴 (
           today.historySince +
           " \x88\xc8\x8d~) \x82\xc6\x81\x41\x82\xbb\x82\xcc\x94\xd4\x8d\x86\x82\xf0\x8c\xe3\x8cp\x82\xc6\x82\xb7\x82\xe9\x95\xcf\x8dX\n"  //  以降) と、その番号を後継とする変更
           "  awards \x83\x8d\x83O...  ADIF\x81\x45HAMLOG CSV \x82\xcc\x83\x8d\x83O\x82\xf0 JARL \x82\xcc JCC\x81\x45JCG\x81\x45\x8b\xe6\x81\x45WAJA \x82\xcc\x94\xd4\x8d\x86\x82\xc6\x8f\xc6\x8d\x87\n"  //   awards ログ...  ADIF・HAMLOG CSV のログを JARL の JCC・JCG・区・WAJA の番号と照合
           "  --edition \x94\xc5   \x92n\x96\xbc\x83\x8a\x83X\x83g: " +  //   --edition 版   地名リスト:
           past.name +
           " (" + past.snapshotDate +
           " \x8c\xbb\x8d\xdd\x81\x41\x8a\xf9\x92\xe8) \x82\xdc\x82\xbd\x82\xcd\n"  //  現在、既定) または
           "                 " +
           today.name + " (" + today.snapshotDate +
           " \x8c\xbb\x8d\xdd\x81\x41\x95\xcf\x8dX\x97\x9a\x97\xf0\x82\xc2\x82\xab)\n"  //  現在、変更履歴つき)
           "  --on \x93\xfa\x95t      \x82\xbb\x82\xcc\x93\xfa (YYYY-MM-DD\x81\x41" +  //   --on 日付      その日 (YYYY-MM-DD、
           today.historySince +
           "\x81`" + today.snapshotDate +                                                 // 〜
           ") \x8c\xbb\x8d\xdd\x82\xcc\x92n\x96\xbc\x82\xc5\x93\x9a\x82\xa6\x82\xe9 (" +  // ) 現在の地名で答える (
           today.name +
           " \x94\xc5\x82\xf0\x8eg\x82\xa4)\n"  //  版を使う)
           "  --reading      \x8a\xbf\x8e\x9a\x82\xc5\x82\xcd\x82\xc8\x82\xad\x93\xc7\x82\xdd (\x82\xd0\x82\xe7\x82\xaa\x82\xc8) \x82\xc5\x92T\x82\xb7\n"  //   --reading      漢字ではなく読み (ひらがな) で探す
           "  --pref N       \x93s\x93\xb9\x95{\x8c\xa7 N (1-47\x81\x41\x30 \x82\xcd\x82\xb7\x82\xd7\x82\xc4) \x82\xc9\x8di\x82\xe9\n"  //   --pref N       都道府県 N (1-47、0 はすべて) に絞る
           "  --area N       \x83G\x83\x8a\x83\x41 N (1-9\x81\x41\x31\x30 \x82\xcd 0 \x83G\x83\x8a\x83\x41\x81\x41\x30 \x82\xcd\x82\xb7\x82\xd7\x82\xc4) \x82\xc9\x8di\x82\xe9\n"  //   --area N       エリア N (1-9、10 は 0 エリア、0 はすべて) に絞る
           "  --sjis         Shift-JIS \x82\xc5\x8fo\x97\xcd\x82\xb5\x81\x41\x95\xb6\x8e\x9a\x97\xf1\x82\xe0 Shift-JIS \x82\xc6\x82\xb5\x82\xc4\x8e\xf3\x82\xaf\x8e\xe6\x82\xe9\n"  //   --sjis         Shift-JIS で出力し、文字列も Shift-JIS として受け取る
           "  --exact        \x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xbd\x83o\x83\x43\x83g\x82\xcc\x82\xdc\x82\xdc\x8f\xc6\x8d\x87\x82\xb7\x82\xe9 (\x91S\x8ap\x81\x45\x94\xbc\x8ap\x81\x41\x82\xa9\x82\xc8\x81\x41\x88\xd9\x91\xcc\x8e\x9a\x81\x41\x83\x8d\x81[\x83}\x8e\x9a\x82\xf0\x82\xbb\x82\xeb\x82\xa6\x82\xc8\x82\xa2)\n"  //   --exact        保存されたバイトのまま照合する (全角・半角、かな、異体字、ローマ字をそろえない)
           "  --lang ja|en   \x8c\x8b\x89\xca\x82\xcc\x8ds\x81\x41\x97\x9a\x97\xf0\x82\xc6\x88\xc4\x93\xe0\x82\xcc\x8c\xbe\x8c\xea (\x8a\xf9\x92\xe8\x82\xcd\x93\xfa\x96{\x8c\xea\x81\x42\x65n \x82\xc5\x92n\x96\xbc\x82\xcd\x83\x8d\x81[\x83}\x8e\x9a\x81\x42--help \x82\xcd ja \x82\xc5\x93\xfa\x96{\x8c\xea\x82\xbe\x82\xaf\x81\x41\x65n \x82\xc5\x89p\x8c\xea\x82\xbe\x82\xaf)\n"  //   --lang ja|en   結果の行、履歴と案内の言語 (既定は日本語。en で地名はローマ字。--help は ja で日本語だけ、en で英語だけ)
           "  --update \x83t\x83@\x83\x43\x83\x8b  ./velkarad.txt \x82\xcc\x91\xe3\x82\xed\x82\xe8\x82\xc9\x82\xb1\x82\xcc\x8dX\x90V\x83t\x83@\x83\x43\x83\x8b\x82\xf0\x93\xc7\x82\xde\n"  //   --update ファイル  ./velkarad.txt の代わりにこの更新ファイルを読む
           "  --no-update    \x8dX\x90V\x83t\x83@\x83\x43\x83\x8b\x82\xf0\x93\xc7\x82\xdc\x82\xc8\x82\xa2\n"  //   --no-update    更新ファイルを読まない
           "\x96\xbc\x91O\x82\xcd\x91S\x8ap\x81\x45\x94\xbc\x8ap\x81\x41\x91\xe5\x95\xb6\x8e\x9a\x81\x45\x8f\xac\x95\xb6\x8e\x9a\x81\x41\x83J\x83^\x83J\x83i\x81\x45\x82\xd0\x82\xe7\x82\xaa\x82\xc8\x81\x41\x88\xd9\x91\xcc\x8e\x9a (\x97\xb3\x82\xc6\x97\xb4\x82\xc8\x82\xc7) \x82\xf0\x82\xbb\x82\xeb\x82\xa6\x82\xc4\x8f\xc6\x8d\x87\x82\xb5\x81\x41\n"  // 名前は全角・半角、大文字・小文字、カタカナ・ひらがな、異体字 (竜と龍など) をそろえて照合し、
           "--reading \x82\xc5\x82\xcd\x83\x8d\x81[\x83}\x8e\x9a (sapporo\x81\x41\x63huo) \x82\xc5\x82\xe0\x92T\x82\xb9\x82\xdc\x82\xb7\x81\x42\n"  // --reading ではローマ字 (sapporo、chuo) でも探せます。
           "  --band B       awards: ADIF \x82\xcc\x83o\x83\x93\x83h\x96\xbc B (40m\x81\x41\x37\x30\x63m \x82\xc8\x82\xc7) \x82\xcc\x8c\xf0\x90M\x82\xbe\x82\xaf\n"  //   --band B       awards: ADIF のバンド名 B (40m、70cm など) の交信だけ
           "  --mode M       awards: \x83\x82\x81[\x83h M (CW\x81\x41SSB\x81\x41\x46T8 \x82\xc8\x82\xc7) \x82\xcc\x8c\xf0\x90M\x82\xbe\x82\xaf\n"  //   --mode M       awards: モード M (CW、SSB、FT8 など) の交信だけ
           "  --skip-via \x95\xb6\x8e\x9a  awards: HAMLOG \x82\xcc QSL \x8co\x97R\x82\xaa\x82\xb1\x82\xcc\x95\xb6\x8e\x9a\x82\xcc\x82\xc7\x82\xea\x82\xa9\x82\xc5\x82\xa0\x82\xe9\x8c\xf0\x90M\x82\xf0\x90\x94\x82\xa6\x82\xc8\x82\xa2\n"  //   --skip-via 文字  awards: HAMLOG の QSL 経由がこの文字のどれかである交信を数えない
           "  --tsv \x95\x5c       awards: \x95\xf1\x8d\x90\x82\xcc\x91\xe3\x82\xed\x82\xe8\x82\xc9\x95\x5c\x82\xf0\x88\xea\x82\xc2 (summary\x81\x41\x63redits\x81\x41problems\x81\x41needed\x81\x41\x61pplication)\n"  //   --tsv 表       awards: 報告の代わりに表を一つ (summary、credits、problems、needed、application)
           "  --list \x8f\xdc      awards: JCC\x81\x45JCG\x81\x45KU\x81\x45WAJA \x82\xcc\x82\xc7\x82\xea\x82\xa9\x88\xea\x82\xc2\x82\xcc\x90\x5c\x90\xbf\x83\x8a\x83X\x83g\x82\xf0\x88\xf3\x8d\xfc\x97p\x82\xcc\x8c`\x82\xc5\x8fo\x82\xb7\n"  //   --list 賞      awards: JCC・JCG・KU・WAJA のどれか一つの申請リストを印刷用の形で出す
           "  --confirmed    --tsv needed \x82\xc5\x81\x41\x96\xa2\x8c\xf0\x90M\x82\xc5\x82\xcd\x82\xc8\x82\xad\x96\xa2\x8am\x94\x46\x82\xcc\x94\xd4\x8d\x86\x82\xf0\x8fo\x82\xb7\n"  //   --confirmed    --tsv needed で、未交信ではなく未確認の番号を出す
           "                 --tsv application \x82\xc6 --list \x82\xc5\x82\xcd\x81\x41\x8am\x94\x46\x8d\xcf\x82\xcc\x94\xd4\x8d\x86\x82\xbe\x82\xaf\x82\xf0\x8fo\x82\xb7\n"  //                  --tsv application と --list では、確認済の番号だけを出す
           "\x8fI\x97\xb9\x83R\x81[\x83h: 0 \x8c\xa9\x82\xc2\x82\xa9\x82\xc1\x82\xbd\x81\x41\x31 \x8c\xa9\x82\xc2\x82\xa9\x82\xe7\x82\xc8\x82\xa2\x81\x41\x32 \x8eg\x82\xa2\x95\xfb\x82\xcc\x8c\xeb\x82\xe8\x81\x41\x33 \x8e\xab\x8f\x91\x82\xf0\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x81\x41\x34 \x8fo\x97\xcd\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xc8\x82\xa2\x81\x41\n"  // 終了コード: 0 見つかった、1 見つからない、2 使い方の誤り、3 辞書を読めない、4 出力に書き込めない、
           "          5 \x83\x8d\x83O\x82\xf0\x8aJ\x82\xaf\x82\xc8\x82\xa2 (awards \x82\xcc 1 \x82\xcd\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M\x82\xc8\x82\xb5)\n";  //           5 ログを開けない (awards の 1 は日本局との交信なし)
}

}  // namespace

int printHelp(const Options& options) {
    Output out(options.sjis);
    if (!options.japaneseOnly) out.write(helpEnglish().c_str());
    if (!options.english) out.write(helpJapanese().c_str());
    return kExitFound;
}

}  // namespace orvetta::cli

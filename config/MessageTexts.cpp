// Every sentence the program shows, in English and in Indonesian. Both sets fill the same slots
// with the same shape (placeholders, line breaks, blanks at the ends), because callers join
// entries with names, counts and verbs. Slots 20 and 23 differ on purpose: the two languages put
// the word "process" at different places of the sentence built from 22, 20 and 23.
#include "config/MessageTexts.h"

namespace vestra::config {
namespace {

constexpr MessageText kEnglish[] = {
    {0, u"Are you sure you want to "},
    {1, u"{0}exit and stop current scanning process?"},
    {2, u"Exit and Stop Scanning"},
    {3, u"File is not a virus, select other file?"},
    {4, u"File is not a virus"},
    {5, u"Couldn't create directory"},
    {6, u" file(s) was copied to UserVir Folder, Check them now?"},
    {7, u"No file was copied"},
    {8, u"Are you sure "},
    {9, u" is a virus?"},
    {10, u"Couldn't add "},
    {11, u" into Vestra signature\r\nFile have already been exist in Vestra signature as "},
    {12, u"File is a virus!!"},
    {13, u"File is not a virus, select other file!"},
    {14, u"It's not recommended to disable scanning in "},
    {15, u"This will cause scanning won't be perfect!\r\n{0}disable it?"},
    {16, u"Warning"},
    {17, u"Please check one or more process to "},
    {18, u"Nothing To "},
    {19, u" is a system process, "},
    {20, u" "},
    {21, u" process was checked"},
    {22, u"Couldn't find "},
    {23, u" process"},
    {24, u"restore "},
    {25, u" quarantined files to their origin path?"},
    {26, u"restored"},
    {27, u"restored To"},
    {28, u"deleted"},
    {29, u"All checked files was successfully "},
    {30, u"Couldn't make any files "},
    {31, u" files was successful but "},
    {32, u" files was failed to be "},
    {33, u"Select folder to restore the files"},
    {34, u"Couldn't select a folder"},
    {35, u"Delete "},
    {36, u" checked quarantined files?"},
    {37, u"stop current scanning process?"},
    {38, u"skip analyzing process to count files & folders?"},
    {39, u"Skip Analyzing"},
    {40, u"Fortunately, your computer system is FINE\r\nNO VIRUS DETECTED."},
    {41, u"Computer is FINE"},
    {42, u"Unfortunately, your computer system is "},
    {43, u"Vestra found : \r\n"},
    {44, u"Computer Status"},
    {45, u" Virus File(s)"},
    {46, u" Infected Registry(s)"},
    {47, u" Hidden File(s)"},
    {48, u"NOT GOOD"},
    {49, u"BAD"},
    {50, u"DANGEROUS!!!"},
    {51,
     u"Current scanning report will be cleared after you do a new scanning.\r\n"
     u"Do you want to scan?"},
    {52,
     u"Your computer is being infected by virus\r\n"
     u"Vestra will  automatically scan your system"},
    {53,
     u"Vestra file is probably damaged, edited, or infected by unknown virus\r\n"
     u"Please download a new copy for this file at {site}\r\n"
     u"{0}use Vestra now?"},
    {54,
     u"You don't have VesRTP (Vestra Real-Time Protection) in your system\r\n"
     u"Do you want to activate it now?"},
    {55,
     u"Your Current VesRTP (Vestra Real-Time Protection) is OLD version\r\n"
     u"Do you want to update it with the NEW version?"},
    {56,
     u"Your Current VesRTP (Vestra Real-Time Protection) is not active in your system\r\n"
     u"Do you want to activate it now?"},
    {62, u"Your new password has been saved!"},
    {64, u"Confirmation password should be same with the first password !"},
    {65, u"Password you entered is not correct !"},
    {66, u"Click OK to resume the scanning"},
    {67,
     u"-> Site Message :\r\n%s\r\n\r\n-> Vestra Message :\r\n"
     u"Your Current Vestra is OLD version (%s)\r\n"
     u"Do you want to download the NEW version (%s)?"},
    {68, u"You are using the newest Vestra\r\nThere is no new Vestra update"},
    {69, u"Vestra cannot check the update because your computer isn't connected to the Internet"},
    {70,
     u"VesRTP (Vestra Real-Time Protection) couldn't be installed in your PC, \r\n"
     u"because Vestra couldn't Replace the old version.\r\n\r\n"
     u"Please exit the old version of Vestra and retry to open this new version.\r\n"
     u"Or try to restart the computer and the install again the new Vestra."},
    {71,
     u"VesRTP (Vestra Real-Time Protection) couldn't be installed in your PC, \r\n"
     u"because Vestra doesn't have Administrator Access.\r\n\r\n"
     u"Please re-open Vestra with Administrator Access, \r\n"
     u"Right-Click on the Vestra-File and Run as Administrator"},
    {72,
     u"VesRTP (Vestra Real-Time Protection) couldn't be installed in your PC.\r\n"
     u"Please report this error to Vestra Site."},
    {73, u"VesRTP (Vestra Real-Time Protection) has been successfully uninstalled"},
    {74,
     u"VesRTP (Vestra Real-Time Protection) couldn't be uninstalled because "
     u"VesRTP (Vestra Real-Time Protection) is being active"},
    {75, u"{0}uninstall VesRTP (Vestra Real-Time Protection)?"},
    {76,
     u"Vestra you are using is Vestra %s version, Revision %s, Update %s, "
     u"and could detect over %s viruses."},
    {77,
     u"Your computer has just been cleaned from virus infection.\r\n"
     u"Now Vestra should do a full scanning on this computer\r\n"
     u"to find the file left by the virus.\r\n"
     u"Do the scanning?"},
    {79, u"The path is not file/folder."},
    {80, u"You've not selected any list"},
    {81, u"VesRTP (Vestra Real-Time Protection) has detected %s Viruses & cleaned %s Viruses"},
    {82, u"{0} add this folder to the exception list?"},
    {83, u"VesRT-Protection is active.\r\nYour PC is protected safely."},
    {84, u"VesRT-Protection is not active\r\nYour PC is not protected !!"},
    {85, u"Immunization SUCCESS.\r\nFlashdisk %s has been IMMUNIZED from virus infection."},
    {86, u"NO Virus Detected.\r\nFlashdisk %s is CLEAN."},
    {87, u"Should be quarantined"},
    {88, u"Couldn't be Quarantined"},
    {89, u"Quarantined"},
    {90, u"Couldn't be cleaned"},
    {91, u"Cleaned"},
    {92, u"Couldn't be Deleted"},
    {93, u"Deleted"},
    {94, u"Couldn't be Ignored"},
    {95, u"Ignored"},
    {96, u"File %s has been added to the exception list"},
    {97, u"Failed to add to the exception list"},
    {98, u"Vestra New Version is available (%s)"},
    {99, u"Do you want to download and install it?"},
    {100, u"%s contains the following new fatures :"},
    {101, u"Download && Update Automatically"},
    {102, u"Download New Version"},
    {103, u"Your computer isn't connected to the Internet"},
    {104, u"Vest-Behavior detected a suspected program behavior, it's  %s"},
    {109,
     u"Vestra cannot find its %s, %s\r\n"
     u"Please re-download the vestra.zip file from Vestra Site ({site})\r\n"
     u"Vestra will be closed now."},
    {110, u"&Ignore"},
    {111, u"&Exit"},
    {112, u"&Fix All"},
    {113, u"Folder Infected :"},
    {114, u"&More >>"},
    {115,
     u"It's recommended you choose \"Fix All\" to block and clean this program. "
     u"But if you trust the program you can choose \"Ignore\""},
    {117,
     u"Do you want to add a protection to your flash disk so that it's more immune from "
     u"virus infection?"},
    {118, u"Confirmation"},
    {119, u"&Yes"},
    {120, u"&No"},
    {121,
     u"This Flash disk (%s) is infected by virus, you are recommended to do a deep scanning "
     u"in the flash disk to ensure that there is no more viruses left here.\r\n"
     u"Do the scanning now?"},
    {122, u"Recommendation"},
    {123, u"Your PC is Protected by"},
};

constexpr MessageText kIndonesian[] = {
    {0, u"Apakah Anda yakin ingin "},
    {1, u"{0}keluar dan mengentikan proses scanning?"},
    {2, u"Keluar dan hentikan scanning"},
    {3, u"File ini bukan virus, silakan pilih file lainnya!"},
    {4, u"File ini bukan virus"},
    {5, u"Tidak dapat membuat direktori"},
    {6, u" file telah disalin ke folder UserVir, periksa sekarang?"},
    {7, u"Tidak ada file yang disalin"},
    {8, u"Apakah Anda yakin "},
    {9, u" adalah virus?"},
    {10, u"Tidak dapat menambahkan "},
    {11, u" ke dalam signature Vestra\r\nFile sudah ada di dalam signature Vestra sebagai "},
    {12, u"File ini adalah virus!!"},
    {13, u"File ini bukan virus, silakan pilih file lainnya!"},
    {14, u"Tidak disarankan untuk mematikan scanning pada "},
    {15, u"Hal ini akan membuat scanning tidak sempurna!\r\n{0}mematikannya?"},
    {16, u"Peringatan"},
    {17, u"Silakan centang satu atau lebih proses untuk "},
    {18, u"Tidak Ada Proses untuk "},
    {19, u" adalah proses sistem, "},
    {20, u" proses "},
    {21, u" proses telah dicentang"},
    {22, u"Tidak dapat menemukan "},
    {23, u""},
    {24, u"mengembalikan "},
    {25, u" file karantina ke lokasi asalnya?"},
    {26, u"dikembalikan"},
    {27, u"dikembalikan ke"},
    {28, u"dihapus"},
    {29, u"Semua file yang dicentang berhasil "},
    {30, u"Tidak ada file yang dapat "},
    {31, u" file berhasil tetapi "},
    {32, u" file gagal "},
    {33, u"Pilih folder untuk mengembalikan file"},
    {34, u"Tidak dapat memilih folder"},
    {35, u"Hapus "},
    {36, u" file karantina yang dicentang?"},
    {37, u"menghentikan proses scanning yang sedang berjalan?"},
    {38, u"melewati proses analisis untuk menghitung file & folder?"},
    {39, u"Lewati Analisis"},
    {40, u"Komputer Anda baik-baik saja\r\nTIDAK ADA VIRUS TERDETEKSI."},
    {41, u"Komputer BAIK"},
    {42, u"Sayangnya, kondisi sistem komputer Anda "},
    {43, u"Vestra menemukan : \r\n"},
    {44, u"Status Komputer"},
    {45, u" File Virus"},
    {46, u" Registry Terinfeksi"},
    {47, u" File Tersembunyi"},
    {48, u"KURANG BAIK"},
    {49, u"JELEK"},
    {50, u"BERBAHAYA!!!"},
    {51,
     u"Laporan scanning saat ini akan dihapus setelah Anda melakukan scanning baru.\r\n"
     u"Apakah Anda ingin melakukan scanning?"},
    {52,
     u"Komputer Anda sedang terinfeksi virus\r\n"
     u"Vestra akan otomatis melakukan scanning pada sistem Anda"},
    {53,
     u"File Vestra kemungkinan rusak, telah diubah, atau terinfeksi virus yang tidak "
     u"dikenal\r\n"
     u"Silakan unduh salinan baru file ini di {site}\r\n"
     u"{0}tetap menggunakan Vestra sekarang?"},
    {54,
     u"Anda belum memiliki VesRTP (Vestra Real-Time Protection) di sistem Anda\r\n"
     u"Apakah Anda ingin mengaktifkannya sekarang?"},
    {55,
     u"VesRTP (Vestra Real-Time Protection) Anda saat ini adalah versi LAMA\r\n"
     u"Apakah Anda ingin memperbaruinya dengan versi BARU?"},
    {56,
     u"VesRTP (Vestra Real-Time Protection) Anda saat ini tidak aktif di sistem Anda\r\n"
     u"Apakah Anda ingin mengaktifkannya sekarang?"},
    {62, u"Password baru Anda telah disimpan!"},
    {64, u"Konfirmasi password harus sama dengan password pertama !"},
    {65, u"Password yang Anda masukkan salah !"},
    {66, u"Klik OK untuk melanjutkan scanning"},
    {67,
     u"-> Pesan Situs :\r\n%s\r\n\r\n-> Pesan Vestra :\r\n"
     u"Vestra Anda saat ini adalah versi LAMA (%s)\r\n"
     u"Apakah Anda ingin mengunduh versi BARU (%s)?"},
    {68, u"Anda sudah menggunakan Vestra terbaru\r\nTidak ada update Vestra yang baru"},
    {69, u"Vestra tidak dapat memeriksa update karena komputer Anda tidak terhubung ke Internet"},
    {70,
     u"VesRTP (Vestra Real-Time Protection) tidak dapat dipasang di PC Anda, \r\n"
     u"karena Vestra tidak dapat mengganti versi lama.\r\n\r\n"
     u"Silakan tutup Vestra versi lama dan coba buka kembali versi baru ini.\r\n"
     u"Atau coba restart komputer lalu pasang kembali Vestra yang baru."},
    {71,
     u"VesRTP (Vestra Real-Time Protection) tidak dapat dipasang di PC Anda, \r\n"
     u"karena Vestra tidak memiliki hak akses Administrator.\r\n\r\n"
     u"Silakan buka kembali Vestra dengan hak akses Administrator, \r\n"
     u"klik kanan pada file Vestra lalu pilih Run as Administrator"},
    {72,
     u"VesRTP (Vestra Real-Time Protection) tidak dapat dipasang di PC Anda.\r\n"
     u"Silakan laporkan kesalahan ini ke Situs Vestra."},
    {73, u"VesRTP (Vestra Real-Time Protection) telah berhasil dihapus"},
    {74,
     u"VesRTP (Vestra Real-Time Protection) tidak dapat dihapus karena "
     u"VesRTP (Vestra Real-Time Protection) sedang aktif"},
    {75, u"{0}menghapus VesRTP (Vestra Real-Time Protection)?"},
    {76,
     u"Vestra yang Anda gunakan adalah Vestra versi %s, Revisi %s, Update %s, "
     u"dan dapat mendeteksi lebih dari %s virus."},
    {77,
     u"Komputer Anda baru saja dibersihkan dari infeksi virus.\r\n"
     u"Sekarang Vestra sebaiknya melakukan scanning penuh pada komputer ini\r\n"
     u"untuk menemukan file yang ditinggalkan oleh virus.\r\n"
     u"Lakukan scanning?"},
    {79, u"Path tersebut bukan file/folder."},
    {80, u"Anda belum memilih daftar apa pun"},
    {81, u"VesRTP (Vestra Real-Time Protection) telah mendeteksi %s virus & membersihkan %s virus"},
    {82, u"{0} menambahkan folder ini ke daftar pengecualian?"},
    {83, u"VesRT-Protection aktif.\r\nPC Anda terlindungi dengan aman."},
    {84, u"VesRT-Protection tidak aktif\r\nPC Anda tidak terlindungi !!"},
    {85, u"Imunisasi BERHASIL.\r\nFlashdisk %s telah DIIMUNISASI dari infeksi virus."},
    {86, u"TIDAK ADA Virus Terdeteksi.\r\nFlashdisk %s BERSIH."},
    {87, u"Harus dikarantina"},
    {88, u"Tidak bisa dikarantina"},
    {89, u"Sudah dikarantina"},
    {90, u"Tidak bisa dibersihkan"},
    {91, u"Sudah dibersihkan"},
    {92, u"Tidak bisa dihapus"},
    {93, u"Sudah dihapus"},
    {94, u"Tidak bisa diabaikan"},
    {95, u"Sudah diabaikan"},
    {96, u"File %s telah ditambahkan ke daftar pengecualian"},
    {97, u"Gagal menambahkan ke daftar pengecualian"},
    {98, u"Vestra versi baru telah tersedia (%s)"},
    {99, u"Apakah Anda ingin mengunduh dan memasangnya?"},
    {100, u"%s memiliki fitur baru berikut :"},
    {101, u"Unduh && Update Otomatis"},
    {102, u"Unduh Versi Baru"},
    {103, u"Komputer Anda tidak terhubung ke Internet"},
    {104, u"Vest-Behavior mendeteksi perilaku program yang mencurigakan, yaitu %s"},
    {109,
     u"Vestra tidak dapat menemukan %s, %s\r\n"
     u"Silakan unduh ulang file vestra.zip dari Situs Vestra ({site})\r\n"
     u"Vestra akan ditutup sekarang."},
    {110, u"&Abaikan"},
    {111, u"&Exit"},
    {112, u"&Bersihkan"},
    {113, u"Folder Terinfeksi :"},
    {114, u"&Lainnya >>"},
    {115,
     u"Anda disarankan memilih \"Bersihkan\" untuk memblokir dan membersihkan program ini. "
     u"Tetapi jika Anda mempercayai program ini, Anda dapat memilih \"Abaikan\""},
    {117,
     u"Apakah Anda ingin menambahkan perlindungan pada flash disk Anda agar lebih kebal "
     u"dari infeksi virus?"},
    {118, u"Konfirmasi"},
    {119, u"&Ya"},
    {120, u"&Tidak"},
    {121,
     u"Flash disk ini (%s) terinfeksi virus, Anda disarankan melakukan scanning mendalam "
     u"pada flash disk ini untuk memastikan tidak ada lagi virus yang tersisa.\r\n"
     u"Lakukan scanning sekarang?"},
    {122, u"Rekomendasi"},
    {123, u"Komputer ini dilindungi oleh"},
};

}  // namespace

std::span<const MessageText> EnglishTexts() {
    return kEnglish;
}
std::span<const MessageText> IndonesianTexts() {
    return kIndonesian;
}

}  // namespace vestra::config

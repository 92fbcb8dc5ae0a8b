"""Files that several end-to-end modules (and tools/demo.py) plant for the program to find."""

# The standard anti-virus test file, written in two halves so that no file of the repository
# holds the whole test string (a scanner on the developer's machine would flag it).
EICAR = b"X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STA" + b"NDARD-ANTIVIRUS-TEST-FILE!$H+H*"


def make_many_files(bed, windows_folder, folders, files):
    """`folders` subfolders d0.. of `windows_folder`, each with `files` small clean programs
    f0.exe..; returns how many files that is."""
    root = bed.unix_path(windows_folder)
    for sub in range(folders):
        (root / f"d{sub}").mkdir(parents=True, exist_ok=True)
        for n in range(files):
            (root / f"d{sub}" / f"f{n}.exe").write_bytes(b"MZ" + bytes(200))
    return folders * files

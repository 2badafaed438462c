#!/usr/bin/env python3
"""Writes the same n generated persons twice: as a vCard file for the `contacts` tool and as a
birthdays file for Debian's `birthday` program, so both programs read the very same names and
dates. Every person has a birthday (the birthdays file cannot hold a person without one); one in
eight has no last name, one in ten no year of birth.

usage: make-persons.py N PERSONS.vcf BIRTHDAYS
"""
import random
import sys

FIRST = ["Ana", "bruno", "Carla", "Davi", "Érica", "Fábio", "Gabriela", "Heitor", "Íris",
         "João", "karina", "Luís", "Mariana", "Nuno", "Otávio", "Paula", "Quitéria", "Rafael",
         "Sofia", "Tiago", "Úrsula", "Vitor", "Wagner", "Yara", "Zé"]
LAST = ["Silva", "Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira", "Alves", "Pereira",
        "Lima", "Gomes", "Costa", "Ribeiro", "Martins", "Carvalho", "Almeida", "Lopes", "Soares"]


def main():
    if len(sys.argv) != 4 or not sys.argv[1].isdigit():
        sys.exit(__doc__.strip().splitlines()[-1])
    n = int(sys.argv[1])
    rng = random.Random(20090310)
    with open(sys.argv[2], "w", encoding="utf-8") as vcf, \
            open(sys.argv[3], "w", encoding="utf-8") as birthdays:
        for _ in range(n):
            first = rng.choice(FIRST)
            last = rng.choice(LAST) if rng.randrange(8) else None
            month = rng.randint(1, 12)
            day = rng.randint(1, 29 if month == 2 else 30)
            year = None if rng.randrange(10) == 0 else rng.randint(1930, 2009)
            if month == 2 and day == 29:
                year = 1980
            name = f"{first} {last}" if last else first
            bday = f"{year:04d}-{month:02d}-{day:02d}" if year else f"--{month:02d}-{day:02d}"
            vcf.write(f"BEGIN:VCARD\r\nVERSION:3.0\r\nN:{last or ''};{first};;;\r\n"
                      f"FN:{name}\r\nBDAY:{bday}\r\nEND:VCARD\r\n")
            date = f"{day:02d}/{month:02d}/{year:04d}" if year else f"{day:02d}/{month:02d}"
            birthdays.write(f"{name}={date}\n")


if __name__ == "__main__":
    main()

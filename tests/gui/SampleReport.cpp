#include "WindowFixture.h"

QByteArray SampleReport(const QByteArray& extraValueA1)
{
    QByteArray out;
    out += "Welkor Lumo 1\tCzytnik mikrop\xB3ytek\r\n";
    out += "Program: ELISA 450 nm\r\n";
    out += "Filtr: 450\r\n";
    out += "Tryb: pojedynczy\r\n";
    out += "DATE: 08.12.2026 TIME: 09:12:44\r\n";
    out += "OPERATOR: Marvant\r\n";
    for (int c = 0; c < 12; ++c) {
        QByteArray line = "Kol " + QByteArray::number(c + 1);
        for (int r = 0; r < 8; ++r) {
            QByteArray value = "0," + QByteArray::number(100 + c * 10 + r);
            if (c == 0 && r == 0 && !extraValueA1.isEmpty())
                value = extraValueA1;
            line += " " + value + "\t";
        }
        out += line + "\r\n";
    }
    out += "Pomiar kontrolny\r\n";
    return out;
}
